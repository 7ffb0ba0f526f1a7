// Velmora on Qt: create the window, load it, show it, run the event loop.
#include <QApplication>

#include "ui/main_window.h"
#include "ui/qt/qt_main_window.h"

int main(int argc, char* argv[]) {
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
