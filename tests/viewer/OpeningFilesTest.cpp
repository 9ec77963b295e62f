// The files the command line chooses, through the real file system: where
// the name lists are found, and what a file dropped on the window does
// before and after Load.
#include "data/MonsterInfo.h"
#include "data/NameLists.h"
#include "tests/support/FileSandbox.h"
#include "tests/support/ProgramState.h"
#include "tests/support/RecordingFake.h"
#include "viewer/RecordBrowser.h"
#include "viewer/ViewerFiles.h"
#include "viewer/ViewerSession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

using namespace zuninfo;

namespace {

class OpeningFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }

    // A name list whose one name tells where it was read: "1 <place>".
    static void WriteList(const fs::path& folder, const std::string& file)
    {
        FileSandbox::Write(folder / file, "1 " + PathText(folder.filename()) + "\r\n");
    }

    // A path in the sandbox's folder; In("") is the folder.
    std::string In(const char* name, const char* file = nullptr) const
    {
        const fs::path path = *name == '\0' ? sandbox.Folder() : sandbox.Folder() / name;
        return PathText(file == nullptr ? path : path / file);
    }

    FileSandbox sandbox; // the current folder is Folder()/start
    RecordingFake window;
};

TEST_F(OpeningFilesTest, ListsComeFromTheCurrentFolderTheMonsterFilesFolderOrTheListsFolder)
{
    const std::vector<std::string> allLists = {"mons.txt", "skills.txt", "attacks.txt"};
    const struct {
        const char* what;
        std::vector<std::string> inStart, inData, inLists; // the lists each folder holds
        bool monsterFile, listsFolder;
        // Where the skin, skill and attack names came from ("" not read).
        std::vector<std::string> from;
        int notFound;
    } cases[] = {
        {"no options: the current folder", allLists, allLists, allLists, false, false, {"start", "start", "start"}, 0},
        {"no options, a list missing: no other place", {"mons.txt", "attacks.txt"}, allLists, {}, false, false,
         {"start", "", ""}, 1},
        {"a monster file: the current folder first", allLists, allLists, {}, true, false, {"start", "start", "start"}, 0},
        {"a monster file, no lists here: beside it", {}, allLists, {}, true, false, {"data", "data", "data"}, 0},
        {"a monster file, one list here: the rest beside it", {"skills.txt"}, allLists, {}, true, false,
         {"data", "start", "data"}, 0},
        {"a monster file, a list in neither place", {"mons.txt"}, {"attacks.txt"}, {}, true, false, {"start", "", ""}, 1},
        {"--lists: only there", allLists, allLists, allLists, true, true, {"lists", "lists", "lists"}, 0},
        {"--lists, a list missing there: not looked for elsewhere", allLists, allLists, {"mons.txt", "skills.txt"},
         true, true, {"lists", "lists", ""}, 1},
        {"--lists without a monster file", {}, {}, allLists, false, true, {"lists", "lists", "lists"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        window = RecordingFake();
        // (Windows removes no folder that is a current folder.)
        fs::current_path(sandbox.Folder());
        for (const char* folder : {"start", "data", "lists"}) {
            fs::remove_all(sandbox.Folder() / folder);
            fs::create_directories(sandbox.Folder() / folder);
        }
        for (const std::string& list : c.inStart)
            WriteList(sandbox.Folder() / "start", list);
        for (const std::string& list : c.inData)
            WriteList(sandbox.Folder() / "data", list);
        for (const std::string& list : c.inLists)
            WriteList(sandbox.Folder() / "lists", list);
        fs::current_path(sandbox.Folder() / "start");

        ViewerOptions options;
        options.startFolder = In("start");
        if (c.monsterFile)
            options.monsterFile = In("data", "zuninfo.qdf");
        if (c.listsFolder)
            options.listsFolder = In("lists");
        ViewerFiles files(options);
        LoadNameLists(window, files);

        EXPECT_EQ((std::vector<std::string>{SkinNames[1], SkillNames[1], AttackNames[1]}), c.from);
        EXPECT_EQ(window.CallsStartingWith("ShowMessage").size(), static_cast<std::size_t>(c.notFound));
    }
}

#ifndef _WIN32 // names that differ only in case
TEST_F(OpeningFilesTest, AListsFolderIsTakenAsItStandsAndItsListsWithTheirCaseIgnored)
{
    WriteList(sandbox.Folder() / "Lists", "MONS.TXT");
    WriteList(sandbox.Folder() / "Lists", "Skills.txt");
    WriteList(sandbox.Folder() / "Lists", "attacks.txt");
    ViewerFiles named({std::nullopt, In("Lists"), In("")});
    LoadNameLists(window, named);
    EXPECT_EQ((std::vector<std::string>{SkinNames[1], SkillNames[1], AttackNames[1]}),
              (std::vector<std::string>{"Lists", "Lists", "Lists"}));

    ResetProgramState();
    window = RecordingFake();
    ViewerFiles otherCase({std::nullopt, In("lists"), In("")});
    LoadNameLists(window, otherCase);
    EXPECT_EQ(window.CallsStartingWith("ShowMessage"), std::vector<std::string>{"ShowMessage File not found"});
}
#endif

// Records what it was asked to start.
class RecordingStarter final : public ProcessStarter {
public:
    bool Start(const ProcessCommand& command) override
    {
        started.push_back(command);
        return succeeds;
    }
    std::vector<ProcessCommand> started;
    bool succeeds = true;
};

TEST_F(OpeningFilesTest, ADroppedFileBeforeLoadIsLoadedAndAfterLoadOpensInASecondViewer)
{
    const std::string program = "/opt/zuninfo-viewer";
    FileSandbox::Write(sandbox.Folder() / "mine.qdf", NumberedRecord(0) + NumberedRecord(1));
    FileSandbox::Write(sandbox.Folder() / "other.qdf", NumberedRecord(7) + NumberedRecord(8) + NumberedRecord(9));
    FileSandbox::Write(sandbox.Folder() / "second.qdf", NumberedRecord(5));
    fs::create_directory(sandbox.Folder() / "folder.qdf");

    const struct {
        const char* what;
        bool loadFirst; // press Load (on mine.qdf) first
        std::vector<std::string> dropped;
        OpenOutcome outcome;
        std::vector<std::string> messages;
        std::string position; // Label24 afterwards
        bool started;
    } cases[] = {
        {"before Load: a file", false, {"other.qdf"}, OpenOutcome::Loaded, {}, "Item 0 of 2", false},
        {"before Load: a missing file", false, {"gone.qdf"}, OpenOutcome::NotFound, {"File not found"}, "", false},
        {"before Load: a folder", false, {"folder.qdf"}, OpenOutcome::Refused,
         {"'" + In("folder.qdf") + "' is a folder: drop a monster file."}, "", false},
        {"before Load: two files", false, {"other.qdf", "second.qdf"}, OpenOutcome::Refused,
         {"Only one monster file can be opened at a time: drop a single file."}, "", false},
        {"before Load: nothing", false, {}, OpenOutcome::Refused, {}, "", false},
        {"after Load: a file", true, {"second.qdf"}, OpenOutcome::Started, {}, "Item 0 of 1", true},
        {"after Load: a missing file", true, {"gone.qdf"}, OpenOutcome::NotFound, {"File not found"}, "Item 0 of 1",
         false},
        {"after Load: a folder", true, {"folder.qdf"}, OpenOutcome::Refused,
         {"'" + In("folder.qdf") + "' is a folder: drop a monster file."}, "Item 0 of 1", false},
        {"after Load: two files", true, {"other.qdf", "other.qdf"}, OpenOutcome::Refused,
         {"Only one monster file can be opened at a time: drop a single file."}, "Item 0 of 1", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        window = RecordingFake();
        ViewerSession session({In("mine.qdf"), In("lists"), In("")}, program);
        if (c.loadFirst) {
            ASSERT_TRUE(session.Load(window));
        }
        RecordingStarter starter;
        std::vector<std::string> dropped;
        for (const std::string& name : c.dropped)
            dropped.push_back(In(name.c_str()));

        EXPECT_EQ(session.Open(window, dropped, starter), c.outcome);
        std::vector<std::string> messages;
        for (const std::string& call : window.CallsStartingWith("ShowMessage "))
            messages.push_back(call.substr(std::string("ShowMessage ").size()));
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(window.texts["Label24"], c.position);
        EXPECT_EQ(session.Loaded(), c.loadFirst || c.outcome == OpenOutcome::Loaded);
        if (c.started) {
            const ProcessCommand expected{program, {"--lists", In("lists"), "--", dropped.front()}, In("")};
            EXPECT_EQ(starter.started, std::vector<ProcessCommand>{expected});
        } else {
            EXPECT_TRUE(starter.started.empty());
        }
    }
}

TEST_F(OpeningFilesTest, ADroppedFileCountsAsThatLoadOnly)
{
    FileSandbox::Write(sandbox.Folder() / "named.qdf", NumberedRecord(3));
    RecordingStarter starter;
    ViewerSession session({In("named.qdf"), std::nullopt, In("")}, "zuninfo-viewer");

    // A dropped file that cannot be read is the first failing Load, with its
    // attempts; Load then still reads the file the command line named.
    EXPECT_EQ(session.Open(window, {In("gone.qdf")}, starter), OpenOutcome::NotFound);
    EXPECT_EQ(OpenAttempt, 500);
    EXPECT_TRUE(session.Load(window));
    EXPECT_EQ(window.texts["Edit1"], "3");
    EXPECT_EQ(window.CallsStartingWith("SetEnabled"), std::vector<std::string>{"SetEnabled Button1 false"});

    // A relative path is taken from the current folder; a second viewer that
    // cannot be started is said so.
    starter.succeeds = false;
    EXPECT_EQ(session.Open(window, {"named.qdf"}, starter), OpenOutcome::NotStarted);
    ASSERT_EQ(starter.started.size(), 1u);
    EXPECT_EQ(starter.started.front().arguments, (std::vector<std::string>{"--", In("named.qdf")}));
    EXPECT_EQ(window.calls.back(), "ShowMessage A second viewer could not be started for '" + In("named.qdf") + "'.");
}

} // namespace
