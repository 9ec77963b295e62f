#include "viewer/CommandLine.h"

#include "data/FileFinding.h"
#include "platform/FileAccess.h"
#include "platform/Options.h"

#include <array>
#include <string_view>

#ifndef ZUNINFO_VERSION
#define ZUNINFO_VERSION "unknown"
#endif

namespace zuninfo {

namespace {

constexpr const char* kUsage = "Usage: zuninfo-viewer [--lists FOLDER] [MONSTER_FILE]\n";

constexpr const char* kAbout = R"(
Shows the game's monster info table one monster at a time, with the skin,
attack and skill ids turned into names from the name lists mons.txt,
skills.txt and attacks.txt. The table of all monsters (Ctrl+T) edits them:
the viewer writes a monster file only when you save from the table window,
and never writes anything else.

Load reads MONSTER_FILE when it is given, else the fixed path
C:\projects\bin\Data\Zun\zuninfo.qdf (elsewhere than on Windows, drive C:
is ~/.wine/drive_c). A relative path is taken from the current folder.

The name lists are read at start-up from FOLDER when --lists is given, else
from the current folder. With a MONSTER_FILE and no --lists, a list missing
from the current folder is looked for in the monster file's folder.

A file dropped on the window is loaded as if Load had been pressed for it;
after Load, it opens in a second viewer with the same name lists.

)";

constexpr const char* kExitStatus = "\nExit status: 0, or 2 for a mistake on the command line.\n";

constexpr std::array<Option, 3> kOptions{kListsOption, kHelpOption, kVersionOption};

CommandLine UsageError(const std::string& problem)
{
    CommandLine result;
    result.action = CommandLine::Action::UsageError;
    result.text = UsageErrorText("zuninfo-viewer", kUsage, problem);
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
    ParsedOptions parsed;
    try {
        parsed = ParseOptions(arguments, kOptions);
        if (parsed.Has("help"))
            return Print(CommandLine::Action::Help, kUsage + std::string(kAbout) + OptionsHelp(kOptions) + kExitStatus);
        if (parsed.Has("version"))
            return Print(CommandLine::Action::Version, "zuninfo-viewer " ZUNINFO_VERSION "\n");
        if (parsed.operands.size() > 1)
            throw UsageProblem("more than one monster file: '" + parsed.operands[0] + "' and '" + parsed.operands[1]
                               + "'");
        if (!parsed.operands.empty() && parsed.operands[0].empty())
            throw UsageProblem("the monster file's name is empty");
        if (parsed.Has("lists"))
            RequireListsFolder(parsed.Value("lists"));
    } catch (const UsageProblem& problem) {
        return UsageError(problem.what());
    }

    CommandLine result;
    result.options.startFolder = CurrentFolder();
    if (!parsed.operands.empty())
        result.options.monsterFile = AbsolutePath(parsed.operands[0]);
    if (const std::optional<std::string> folder = parsed.Optional("lists"))
        result.options.listsFolder = AbsolutePath(*folder);
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
