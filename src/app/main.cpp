// The desktop programming software: the main window on Qt.
#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <thread>

#include "app/icons.h"
#include "app/paint_probe.h"
#include "app/qt_language.h"
#include "app/qt_platform.h"
#include "model/run_time_error.h"
#include "serialport/qt_serial_line.h"
#include "ui/frm_main.h"

namespace {

bool HaveDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

// Where Qt calls into the program: every event goes through the window's guard, so that an
// exception no procedure expected closes the port and the program goes on with the next event.
class GuardedApplication : public QApplication {
  public:
    using QApplication::QApplication;
    rvm46::ui::FrmMain* window = nullptr;

    bool notify(QObject* receiver, QEvent* event) override {
        if (window == nullptr) return QApplication::notify(receiver, event);
        bool result = false;
        try {
            window->CallFromToolkit([&] { result = QApplication::notify(receiver, event); });
        } catch (const rvm46::RunTimeError& error) {
            window->HandlerFault(error.what());  // not even an error exit caught it
        }
        return result;
    }
};

}  // namespace

int main(int argc, char** argv) {
    // `--folder DIR`: run with DIR as the program folder (the installed launcher gives each user
    // a folder of their own); otherwise the executable's own folder.
    // `--exit-when-shown`: print the wall clock when the main window has first been painted and
    // end at once (scripts/benchmark-start.sh times the start with it).
    std::string folder;
    bool exitWhenShown = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--folder" && i + 1 < argc) folder = argv[i + 1];
        if (std::string_view(argv[i]) == "--exit-when-shown") exitWhenShown = true;
    }
    if (!HaveDisplay()) {
        std::cerr << "rvm46-programmer: no display to show its window on (neither DISPLAY nor\n"
                     "WAYLAND_DISPLAY nor QT_QPA_PLATFORM is set).\n"
                     "Start it from a desktop session, or under a virtual X server:\n"
                     "    xvfb-run -a "
                  << (std::getenv("RVM46_COMMAND") ? std::getenv("RVM46_COMMAND") : argv[0])
                  << "\n";
        return 2;
    }
    // Reading the font configuration (dozens of XML files) takes a few milliseconds that the
    // first text would wait for; it runs beside Qt's own start (the display connection, the
    // plugins), on another core where there is one.
    std::thread fontConfiguration([] { FcInit(); });
    GuardedApplication application(argc, argv);
    fontConfiguration.join();
    QApplication::setApplicationName("rvm46-programmer");
    QApplication::setWindowIcon(rvm46::app::ApplicationIcon());
    QApplication::setQuitOnLastWindowClosed(false);
    rvm46::app::InstallFontSubstitutes();

    // A run-time error that a procedure's error exit swallows ends it silently for the user;
    // the log says which procedure ended and why.
    rvm46::SetSwallowedErrorObserver([](std::string_view procedure, std::string_view reason) {
        std::cerr << "rvm46-programmer: run-time error in " << procedure << ": " << reason
                  << std::endl;
    });

    rvm46::app::QtPlatform platform;
    if (!folder.empty()) platform.SetProgramFolder(folder);
    rvm46::serialport::QtSerialSystem serialPorts;
    rvm46::ui::FrmMain window(platform);
    window.SetSerialSystem(&serialPorts);
    application.window = &window;
    platform.SetMainForm(window);
    // Qt's own buttons and the font of menus and dialogs follow the interface language.
    rvm46::app::QtLanguage language;
    language.Follow(window);
    // Start-up; on the first start the language window comes first. The window is built after
    // it, from the loaded state, instead of following every change the start-up makes (its
    // dialogs build it on demand).
    window.Load();
    if (!window.Loaded()) {
        application.window = nullptr;
        platform.DropView(window);
        return 0;
    }
    platform.ViewOf(window);  // before Show: it lays the window out hidden, as a dialog does
    window.Show();
    QWidget* shown = platform.ViewOf(window).Window();
    if (exitWhenShown) rvm46::app::ExitWhenPainted(shown);
    shown->show();
    const int result = QApplication::exec();
    application.window = nullptr;
    platform.DropView(window);
    return result;
}
