// Velmora on Qt: answer the command line, then create the window, load it,
// show it, run the event loop.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

#include "ui/main_window.h"
#include "ui/qt/qt_main_window.h"

namespace {

// --help and --version print and exit, as GNU's and KDE's programs do; a
// wrong option or argument ends the program with Qt's message. None of it
// needs a display, so it is done before the window's application, which
// does, is made.
void ProcessCommandLine(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(VELMORA_DESCRIPTION));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(application);
    if (const QStringList extra = parser.positionalArguments(); !extra.isEmpty()) {
        const QString message = QStringLiteral("%1: Unexpected argument '%2'.\n");
        std::fputs(qPrintable(message.arg(QCoreApplication::applicationName(), extra.first())), stderr);
        std::exit(EXIT_FAILURE);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    // Only a command line with something on it costs the extra application.
    if (argc > 1) ProcessCommandLine(argc, argv);
    // Where an X server is at hand, also on a Wayland session (Xwayland), run
    // through X11: the desktop then decorates and places the window as it
    // does other programs, where Qt 6.4's own Wayland title bar cuts the
    // title and a window cannot place itself. A platform the user names wins.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // The command line is answered: Qt sees only the program's name.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication application(qtArgc, argv);
    // Lets Wayland compositors match the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMORA_APP_ID));
    velmora::ui::qt::QtMainWindow window;
    velmora::ui::LoadMainWindow(window);
    window.show();
    return application.exec();
}
