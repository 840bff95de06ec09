// vyd [FILE]            the editor window (the vyd-editor program), opening FILE after the first repaint
// vyd --script FILE     the same program without a display, printing a transcript
// vyd convert IN OUT .. read a picture, optionally convert its colour mode, write it
// vyd --help, --version
// This program never loads the toolkit: the window is vyd-editor's, started in this process's place.
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"

namespace {

std::string selfPath(const char* argv0) {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length > 0) return std::string(buffer.data(), static_cast<std::size_t>(length));
    return argv0;
}

int startEditor(const std::vector<std::string>& args, const char* argv0) {
    const std::string reason = vyd::noDisplayReason(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"),
                                                    std::getenv("QT_QPA_PLATFORM"), args);
    if (!reason.empty()) {
        std::cerr << reason << '\n';
        return 2;
    }
    const std::vector<std::string> candidates = vyd::editorCandidates(selfPath(argv0));
    for (const std::string& editor : candidates) {
        if (access(editor.c_str(), X_OK) != 0) continue;
        std::vector<char*> editorArgv;
        editorArgv.push_back(const_cast<char*>(editor.c_str()));
        for (const std::string& arg : args) editorArgv.push_back(const_cast<char*>(arg.c_str()));
        editorArgv.push_back(nullptr);
        execv(editor.c_str(), editorArgv.data());
        std::cerr << "vyd: cannot start " << editor << ": " << std::strerror(errno) << '\n';
        return 2;
    }
    std::cerr << vyd::missingEditorMessage(candidates) << '\n';
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const vyd::CommandLine command = vyd::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (command.kind == vyd::CommandLine::Kind::Editor) return startEditor(command.args, argv[0]);
    return vyd::runCommandLine(command, std::cout, std::cerr);
}
