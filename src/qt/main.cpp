// vyd [FILE]            the editor window, opening FILE after the first repaint
// vyd --script FILE     the same program without a display, printing a transcript
// vyd convert IN OUT .. read a picture, optionally convert its colour mode, write it
#include <QApplication>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/convert_tool.h"
#include "app/startup.h"
#include "platform/script_runner.h"
#include "qt/qt_platform.h"

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--script") == 0) {
        if (argc != 3) {
            std::cerr << "usage: vyd --script FILE\n";
            return 2;
        }
        return vyd::runScriptFile(argv[2], std::cout, std::cerr);
    }
    if (argc >= 2 && std::strcmp(argv[1], "convert") == 0) {
        return vyd::runConvert(std::vector<std::string>(argv + 2, argv + argc), std::cerr);
    }

    QApplication application(argc, argv);  // takes the toolkit's own options out of argv
    QApplication::setApplicationName("VYD");
    QApplication::setQuitOnLastWindowClosed(false);  // the program ends when its window procedure says so

    vyd::QtPlatform platform;
    vyd::AppState app;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!vyd::startApplication(app, platform, args)) return 0;
    if (platform.quitRequested()) return platform.exitCode();
    return QApplication::exec();
}
