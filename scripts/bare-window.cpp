// A bare Qt 6 main window of a given size (bare-window WIDTH HEIGHT), that ends when first painted:
// what scripts/benchmark-start.sh times the desktop program's start against.
#include <QApplication>
#include <QMainWindow>
#include <cstdlib>

#include "app/paint_probe.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.resize(argc > 2 ? std::atoi(argv[1]) : 800, argc > 2 ? std::atoi(argv[2]) : 600);
    rvm46::app::ExitWhenPainted(&window);
    window.show();
    return QApplication::exec();
}
