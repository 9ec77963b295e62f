// The viewer's command line: what each argument list chooses, prints or
// refuses. (How a second viewer's command line is quoted for Windows is
// checked on Windows itself, against CommandLineToArgvW.)
#include "tests/support/FileSandbox.h"
#include "viewer/CommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

using namespace zuninfo;

namespace {

using Action = CommandLine::Action;

TEST(CommandLine, ArgumentsAndWhatTheyChoose)
{
    FileSandbox sandbox; // the current folder
    fs::create_directory(sandbox.Folder() / "lists");
    FileSandbox::Write(sandbox.Folder() / "plain.txt", "");
    const std::string here = PathText(sandbox.Folder());
    const auto at = [&](const char* name) { return std::optional<std::string>(PathText(sandbox.Folder() / name)); };

    const struct {
        std::vector<std::string> arguments;
        Action action;
        std::optional<std::string> monsterFile;
        std::optional<std::string> listsFolder;
        std::string text; // the start of what is printed
    } cases[] = {
        {{}, Action::Run, std::nullopt, std::nullopt, ""},
        {{"zuninfo.qdf"}, Action::Run, at("zuninfo.qdf"), std::nullopt, ""},
        {{"--lists", "lists"}, Action::Run, std::nullopt, at("lists"), ""},
        {{"a.qdf", "--lists", "lists"}, Action::Run, at("a.qdf"), at("lists"), ""},
        {{"--lists=lists", "a.qdf"}, Action::Run, at("a.qdf"), at("lists"), ""},
        {{"--", "-odd.qdf"}, Action::Run, at("-odd.qdf"), std::nullopt, ""},
        {{"--", "--lists"}, Action::Run, at("--lists"), std::nullopt, ""},
        {{"-"}, Action::Run, at("-"), std::nullopt, ""},
        {{"--help"}, Action::Help, std::nullopt, std::nullopt, "Usage: zuninfo-viewer [--lists FOLDER] [MONSTER_FILE]\n"},
        {{"a.qdf", "-h"}, Action::Help, std::nullopt, std::nullopt, "Usage: "},
        {{"--version"}, Action::Version, std::nullopt, std::nullopt, "zuninfo-viewer 0."},
        {{"--bogus"}, Action::UsageError, std::nullopt, std::nullopt, "zuninfo-viewer: unknown option '--bogus'\nUsage: "},
        {{"-platform", "offscreen"}, Action::UsageError, std::nullopt, std::nullopt, "zuninfo-viewer: unknown option '-platform'\n"},
        {{"--list", "lists"}, Action::UsageError, std::nullopt, std::nullopt, "zuninfo-viewer: unknown option '--list'\n"},
        {{"a.qdf", "b.qdf"}, Action::UsageError, std::nullopt, std::nullopt,
         "zuninfo-viewer: more than one monster file: 'a.qdf' and 'b.qdf'\n"},
        {{""}, Action::UsageError, std::nullopt, std::nullopt, "zuninfo-viewer: the monster file's name is empty\n"},
        {{"--lists"}, Action::UsageError, std::nullopt, std::nullopt, "zuninfo-viewer: --lists needs a folder\n"},
        {{"--lists", "gone"}, Action::UsageError, std::nullopt, std::nullopt,
         "zuninfo-viewer: --lists: there is no folder 'gone'\n"},
        {{"--lists=plain.txt"}, Action::UsageError, std::nullopt, std::nullopt,
         "zuninfo-viewer: --lists: there is no folder 'plain.txt'\n"},
        {{"--lists", ""}, Action::UsageError, std::nullopt, std::nullopt, "zuninfo-viewer: --lists: there is no folder ''\n"},
        {{"--lists", "lists", "--lists", "lists"}, Action::UsageError, std::nullopt, std::nullopt,
         "zuninfo-viewer: --lists is given more than once\n"},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const std::string& argument : c.arguments)
            shown += "[" + argument + "] ";
        SCOPED_TRACE(shown);
        const CommandLine result = ParseCommandLine(c.arguments);
        EXPECT_EQ(result.action, c.action);
        EXPECT_EQ(result.exitCode, c.action == Action::UsageError ? 2 : 0);
        EXPECT_TRUE(result.text.starts_with(c.text)) << result.text;
        if (c.action == Action::UsageError) {
            EXPECT_TRUE(result.text.ends_with("Try 'zuninfo-viewer --help'.\n")) << result.text;
        }
        if (c.action == Action::Run) {
            EXPECT_TRUE(result.text.empty());
            EXPECT_EQ(result.options, (ViewerOptions{c.monsterFile, c.listsFolder, here}));
        }
    }
}

} // namespace
