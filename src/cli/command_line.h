// The `vyd` command line: which of the ways to run the program the arguments ask for, and the paths that
// need no display (script, convert, help, version). The editor window is a separate program, vyd-editor,
// which `vyd` starts in its own place; only that program loads the Qt front end.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vyd {

struct CommandLine {
    enum class Kind { Editor, Script, Convert, Help, Version, UsageError };
    Kind kind = Kind::Editor;
    // Editor: the arguments for the window (a file, toolkit options); Script: the script file;
    // Convert: the arguments after "convert".
    std::vector<std::string> args;
    // UsageError: the line saying what is wrong, printed before the usage; empty when the usage says it.
    std::string problem;
};

// Reads the arguments after the program name. An option of our own starting with "--" that is not
// --script, --help or --version, or one of those with the wrong number of arguments, is a usage error.
// After "convert", --help anywhere asks for the usage, and arguments that do not make a conversion request
// (see convertArgumentsProblem in app/convert_tool.h) are a usage error naming the problem.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// The usage text, one way to run the program a line, ending in a newline.
const char* usageText();

// "vyd X.Y.Z".
std::string versionLine();

// Runs every kind but Editor: writes usage and version to out, usage errors (the problem's line, then the
// usage) and failures to err, and returns the exit status (0 for help and version, 2 for a usage error, the
// script's or the conversion's own status otherwise: 1 when a file could not be read or written).
int runCommandLine(const CommandLine& command, std::ostream& out, std::ostream& err);

// The environment the editor window needs: a display the toolkit can reach. Returns the empty string when
// the window can be opened, else the one line to print (without newline). Each value is the variable's
// content or null when it is unset; an explicit toolkit platform (QT_QPA_PLATFORM, or -platform among the
// editor's arguments) counts as reachable, so offscreen runs work without a display.
std::string noDisplayReason(const char* display, const char* waylandDisplay, const char* qpaPlatform,
                            const std::vector<std::string>& editorArgs);

// Where the editor program may be, in order: next to `vyd` itself, then ../libexec/vyd/ from there.
// selfPath is the running program's own file (/proc/self/exe).
std::vector<std::string> editorCandidates(const std::string& selfPath);

// The line printed when no candidate exists (without newline).
std::string missingEditorMessage(const std::vector<std::string>& candidates);

}  // namespace vyd
