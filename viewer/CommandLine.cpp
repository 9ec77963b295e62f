#include "viewer/CommandLine.h"

#include "platform/FileAccess.h"

#include <string_view>

#ifndef ZUNINFO_VERSION
#define ZUNINFO_VERSION "unknown"
#endif

namespace zuninfo {

namespace {

constexpr const char* kUsage = "Usage: zuninfo-viewer [--lists FOLDER] [MONSTER_FILE]\n";

constexpr const char* kHelp = R"(
Shows the game's monster info table one monster at a time, with the skin,
attack and skill ids turned into names from the name lists mons.txt,
skills.txt and attacks.txt. It only reads: no file is ever written.

Load reads MONSTER_FILE when it is given, else the fixed path
C:\projects\bin\Data\Zun\zuninfo.qdf (elsewhere than on Windows, drive C:
is ~/.wine/drive_c). A relative path is taken from the current folder.

The name lists are read at start-up from FOLDER when --lists is given, else
from the current folder. With a MONSTER_FILE and no --lists, a list missing
from the current folder is looked for in the monster file's folder.

A file dropped on the window is loaded as if Load had been pressed for it;
after Load, it opens in a second viewer with the same name lists.

Options:
  --lists FOLDER  read the name lists from FOLDER
  --help          this text
  --version       the program's version

Exit status: 0, or 2 for a mistake on the command line.
)";

CommandLine UsageError(const std::string& problem)
{
    CommandLine result;
    result.action = CommandLine::Action::UsageError;
    result.text = "zuninfo-viewer: " + problem + "\n" + kUsage + "Try 'zuninfo-viewer --help'.\n";
    result.exitCode = 2;
    return result;
}

CommandLine Print(CommandLine::Action action, std::string text)
{
    CommandLine result;
    result.action = action;
    result.text = std::move(text);
    return result;
}

// Windows' rules for one argument after the program's name: backslashes are
// plain unless they come before a quote, which they must then escape along
// with themselves.
void AppendQuoted(std::string& line, const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) {
        line += argument;
        return;
    }
    line += '"';
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"')
            line.append(2 * backslashes + 1, '\\');
        else
            line.append(backslashes, '\\');
        backslashes = 0;
        line += c;
    }
    line.append(2 * backslashes, '\\');
    line += '"';
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    std::optional<std::string> monsterFile, listsFolder;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument == "-" || !argument.starts_with('-')) {
            if (monsterFile)
                return UsageError("more than one monster file: '" + *monsterFile + "' and '" + argument + "'");
            if (argument.empty())
                return UsageError("the monster file's name is empty");
            monsterFile = argument;
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            return Print(CommandLine::Action::Help, kUsage + std::string(kHelp));
        } else if (argument == "--version") {
            return Print(CommandLine::Action::Version, "zuninfo-viewer " ZUNINFO_VERSION "\n");
        } else if (argument == "--lists" || argument.starts_with("--lists=")) {
            if (listsFolder)
                return UsageError("--lists is given more than once");
            if (argument == "--lists") {
                if (i + 1 == arguments.size())
                    return UsageError("--lists needs a folder");
                listsFolder = arguments[++i];
            } else {
                listsFolder = argument.substr(std::string_view("--lists=").size());
            }
            if (!IsFolder(*listsFolder))
                return UsageError("--lists: there is no folder '" + *listsFolder + "'");
        } else {
            return UsageError("unknown option '" + argument + "'");
        }
    }

    CommandLine result;
    result.options.startFolder = CurrentFolder();
    if (monsterFile)
        result.options.monsterFile = AbsolutePath(*monsterFile);
    if (listsFolder)
        result.options.listsFolder = AbsolutePath(*listsFolder);
    return result;
}

ProcessCommand SecondViewerCommand(const std::string& program, const ViewerOptions& options,
                                   const std::string& monsterFile)
{
    ProcessCommand command{program, {}, options.startFolder};
    if (options.listsFolder)
        command.arguments = {"--lists", *options.listsFolder};
    command.arguments.push_back("--");
    command.arguments.push_back(monsterFile);
    return command;
}

std::string WindowsCommandLine(const std::string& program, const std::vector<std::string>& arguments)
{
    // The program's name is read up to the next quote, with no escapes; no
    // Windows file name holds a quote.
    std::string line = "\"" + program + "\"";
    for (const std::string& argument : arguments) {
        line += ' ';
        AppendQuoted(line, argument);
    }
    return line;
}

} // namespace zuninfo
