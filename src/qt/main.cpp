// vyd-editor [FILE]: the editor window, opening FILE after the first repaint. `vyd` starts this program
// in its own place when the window is wanted; the command-line paths stay in `vyd`, which never loads Qt.
#include <QApplication>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/startup.h"
#include "qt/qt_platform.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);  // takes the toolkit's own options out of argv
    QApplication::setApplicationName("VYD");
#ifdef VYD_APP_ID
    QGuiApplication::setDesktopFileName(VYD_APP_ID);  // the desktop entry's icon and name for the window
#endif
    QApplication::setQuitOnLastWindowClosed(false);  // the program ends when its window procedure says so

    vyd::QtPlatform platform;
    vyd::AppState app;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!vyd::startApplication(app, platform, args)) return 0;
    if (platform.quitRequested()) return platform.exitCode();
    return QApplication::exec();
}
