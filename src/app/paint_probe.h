#pragma once
// For timing the start: when a window has first been painted, prints "shown <ns> <width>x<height>"
// (the wall clock in nanoseconds, the window's size) on standard output and ends the process at
// once. The start benchmark runs the program and a bare Qt window with it.

class QWidget;

namespace rvm46::app {

void ExitWhenPainted(QWidget* window);

}  // namespace rvm46::app
