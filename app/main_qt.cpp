// Velmora on Qt: create the window, load it, show it, run the event loop.
#include <QApplication>

#include "ui/main_window.h"
#include "ui/qt/qt_main_window.h"

int main(int argc, char* argv[]) {
    // Where an X server is at hand, also on a Wayland session (Xwayland), run
    // through X11: the desktop then decorates and places the window as it
    // does other programs, where Qt 6.4's own Wayland title bar cuts the
    // title and a window cannot place itself. A platform the user names wins.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // The program takes no command line: Qt sees only the program's name.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication application(qtArgc, argv);
    // Lets Wayland compositors match the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMORA_APP_ID));
    velmora::ui::qt::QtMainWindow window;
    velmora::ui::LoadMainWindow(window);
    window.show();
    return application.exec();
}
