#pragma once
// Icons: the desktop theme's where it has one, otherwise drawn here.

#include <QIcon>
#include <string>

namespace rvm46::app {

// The theme icon of that name, with a drawn stand-in as fallback.
QIcon ToolbarIcon(const std::string& name);
// The program's own icon (a hand-held radio).
QIcon ApplicationIcon();
// The image a picture control names: the program's own icon by its name, else the theme's
// (null when the theme has none).
QIcon PictureIcon(const std::string& name);

}  // namespace rvm46::app
