#include "cli/command_line.h"

#include <algorithm>
#include <ostream>

#include "app/convert_tool.h"
#include "platform/script_runner.h"

#ifndef VYD_VERSION
#error "VYD_VERSION must be defined by the build (the project version)"
#endif

namespace vyd {

namespace {

constexpr const char* kUsage =
    "usage: vyd [FILE]              open the editor window, then FILE if given\n"
    "       vyd --script FILE       run a script without a display, writing its transcript\n"
    "       vyd convert IN OUT [--mode 2|16|chequer|256|dither|grey|true] [--quality N]\n"
    "                               read IN, optionally convert its colour mode, write OUT\n"
    "       vyd --help | --version\n";

bool isSet(const char* value) { return value != nullptr && *value != '\0'; }

CommandLine make(CommandLine::Kind kind, std::vector<std::string> args = {}) {
    CommandLine command;
    command.kind = kind;
    command.args = std::move(args);
    return command;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    using Kind = CommandLine::Kind;
    if (args.empty()) return make(Kind::Editor);
    const std::string& first = args[0];
    if (first == "convert") {
        std::vector<std::string> rest(args.begin() + 1, args.end());
        if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) return make(Kind::Help);
        std::string problem = convertArgumentsProblem(rest);
        if (problem.empty()) return make(Kind::Convert, std::move(rest));
        CommandLine command = make(Kind::UsageError);
        command.problem = "vyd convert: " + problem;
        return command;
    }
    if (first == "--script") {
        return args.size() == 2 ? make(Kind::Script, {args[1]}) : make(Kind::UsageError);
    }
    if (first == "--help") return args.size() == 1 ? make(Kind::Help) : make(Kind::UsageError);
    if (first == "--version") return args.size() == 1 ? make(Kind::Version) : make(Kind::UsageError);
    for (const std::string& arg : args) {
        if (arg.rfind("--", 0) == 0) return make(Kind::UsageError);
    }
    return make(Kind::Editor, args);
}

const char* usageText() { return kUsage; }

std::string versionLine() { return std::string("vyd ") + VYD_VERSION; }

int runCommandLine(const CommandLine& command, std::ostream& out, std::ostream& err) {
    switch (command.kind) {
    case CommandLine::Kind::Script:
        return runScriptFile(command.args.at(0), out, err);
    case CommandLine::Kind::Convert:
        return runConvert(command.args, err);
    case CommandLine::Kind::Help:
        out << kUsage;
        return 0;
    case CommandLine::Kind::Version:
        out << versionLine() << '\n';
        return 0;
    case CommandLine::Kind::Editor:
    case CommandLine::Kind::UsageError:
        break;
    }
    if (!command.problem.empty()) err << command.problem << '\n';
    err << kUsage;
    return 2;
}

std::string noDisplayReason(const char* display, const char* waylandDisplay, const char* qpaPlatform,
                            const std::vector<std::string>& editorArgs) {
    if (isSet(display) || isSet(waylandDisplay) || isSet(qpaPlatform)) return {};
    for (const std::string& arg : editorArgs) {
        if (arg == "-platform") return {};
    }
    return "vyd: no display (DISPLAY and WAYLAND_DISPLAY are unset); "
           "use vyd --script or vyd convert without one";
}

std::vector<std::string> editorCandidates(const std::string& selfPath) {
    const std::string::size_type slash = selfPath.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : selfPath.substr(0, slash);
    return {folder + "/vyd-editor", folder + "/../libexec/vyd/vyd-editor"};
}

std::string missingEditorMessage(const std::vector<std::string>& candidates) {
    std::string line = "vyd: the editor window needs vyd-editor, which is not at ";
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (i > 0) line += i + 1 == candidates.size() ? " nor at " : ", ";
        line += candidates[i];
    }
    return line;
}

}  // namespace vyd
