#pragma once

#include <optional>
#include <string>
#include <vector>

// The viewer's command line: zuninfo-viewer [--lists FOLDER] [MONSTER_FILE].
// Both front ends hand it their arguments as strings (on Windows UTF-8) and
// run, print or stop as it says.

namespace zuninfo {

// What the command line chose. Paths are absolute, taken from the folder the
// program started in, and name files as the system does (see FileAccess.h).
// With neither, the viewer reads what it always has: the name lists from the
// current folder and, on Load, the monster file at its fixed path.
struct ViewerOptions {
    // What Load reads instead of the fixed path.
    std::optional<std::string> monsterFile;
    // Where the name lists are read from instead of the current folder.
    std::optional<std::string> listsFolder;
    // The current folder at start (absolute; empty when it could not be
    // told). Relative paths were taken from it, and a second viewer is
    // started in it.
    std::string startFolder;

    bool operator==(const ViewerOptions&) const = default;
};

struct CommandLine {
    enum class Action {
        Run,        // open the window with `options`
        Help,       // print `text` (to standard output), exit with `exitCode`
        Version,    // the same
        UsageError, // print `text` to standard error, exit with `exitCode`
    };
    Action action = Action::Run;
    ViewerOptions options;
    std::string text;
    int exitCode = 0;
};

// Reads the arguments after the program's name. Options: --lists FOLDER (or
// --lists=FOLDER), --help, --version, and "--", after which an argument is
// the monster file even when it starts with '-'. A --lists folder must
// exist; the monster file need not (Load says "File not found" for it).
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// A program to start: the executable, its arguments (after its own name), and
// the folder it starts in.
struct ProcessCommand {
    std::string program;
    std::vector<std::string> arguments;
    std::string folder;

    bool operator==(const ProcessCommand&) const = default;
};

// The command that opens `monsterFile` in a viewer of its own, started as
// this one was: in the same folder, and with the same --lists folder when
// this one had one (without it, the new viewer reads the lists of that folder
// as this one did, looking beside its monster file for those missing there).
ProcessCommand SecondViewerCommand(const std::string& program, const ViewerOptions& options,
                                   const std::string& monsterFile);

// The command-line text that Windows' CommandLineToArgvW (and the C library's
// start-up code) splits back into exactly these arguments, the program's name
// first.
std::string WindowsCommandLine(const std::string& program, const std::vector<std::string>& arguments);

} // namespace zuninfo
