// The file the table edits, without a window: an edited export taken in as
// pending edits and then saved gives the bytes zuninfo-import writes for
// it; the records exported as shown; the questions asked on the way.
#include "import/ImportCommand.h"
#include "tests/support/AsciiRules.h"
#include "tests/support/RecordingFake.h"
#include "tests/support/FileSandbox.h"
#include "tests/support/ProgramState.h"
#include "viewer/EditMessages.h"
#include "viewer/EditedFile.h"
#include "viewer/RecordBrowser.h"
#include "viewer/RecordTable.h"
#include "viewer/TableEditor.h"
#include "viewer/ViewerSession.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

using namespace zuninfo;

namespace {

// Answers as told, and keeps what was asked and said.
class ScriptedDialogs final : public SaveDialogs {
public:
    bool Confirm(const std::string& question) override
    {
        asked.push_back(question);
        const bool yes = !confirms.empty() && confirms.front();
        if (!confirms.empty())
            confirms.pop_front();
        return yes;
    }
    Unsaved AskUnsaved(const std::string& question) override
    {
        asked.push_back(question);
        return Unsaved::Cancel;
    }
    void Warn(const std::string& message) override { warned.push_back(message); }
    std::optional<std::string> ChooseFile(const FileChoice&, const std::string&) override { return chosen; }

    std::deque<bool> confirms;
    std::optional<std::string> chosen;
    std::vector<std::string> asked;
    std::vector<std::string> warned;
};

// A record line: Index, Skin and Str as given, the other fields a tab and a
// leading zero apart where the file writes them so.
std::string Line(int index, int skin, int str)
{
    std::string line = std::to_string(index) + "\t" + std::to_string(skin);
    for (int field = 2; field < kMonsterFieldCount; ++field)
        line += field == 14 ? " " + std::to_string(str) : " 0" + std::to_string(field % 3);
    return line + "\r\n";
}

// The CSV cell of a record's row (from 1) under a header, replaced.
std::string WithCell(const std::string& csv, int row, const std::string& header, const std::string& value)
{
    std::vector<std::string> lines;
    std::istringstream in(csv);
    for (std::string line; std::getline(in, line, '\n');)
        lines.push_back(line);
    const auto cells = [](const std::string& line) {
        std::vector<std::string> split(1);
        for (const char c : line) {
            if (c == ',')
                split.emplace_back();
            else if (c != '\r')
                split.back() += c;
        }
        return split;
    };
    const std::vector<std::string> headers = cells(lines[0]);
    std::vector<std::string> target = cells(lines[static_cast<std::size_t>(row)]);
    for (std::size_t at = 0; at < headers.size(); ++at) {
        if (headers[at] == header)
            target[at] = value;
    }
    std::string joined;
    for (const std::string& cell : target)
        joined += (joined.empty() ? "" : ",") + cell;
    lines[static_cast<std::size_t>(row)] = joined + "\r";
    std::string out;
    for (const std::string& line : lines)
        out += line + "\n";
    return out;
}

std::string WithoutRow(const std::string& csv, int row)
{
    std::size_t start = 0;
    for (int at = 0; at < row; ++at)
        start = csv.find('\n', start) + 1;
    return csv.substr(0, start) + csv.substr(csv.find('\n', start) + 1);
}

class EditedFileTest : public ::testing::Test {
protected:
    void SetUp() override { Start(); }

    // The files written anew, and the viewer started on them, loaded.
    void Start()
    {
        ResetProgramState();
        fs::remove(sandbox.MonsterInfoFile().string() + ".bak");
        FileSandbox::Write(sandbox.Folder() / "mons.txt", "0 Blob\r\n3 Orc Chief\r\n1 Goblin\r\n2 Goblin\r\n");
        FileSandbox::Write(sandbox.Folder() / "skills.txt", "0 Rest\r\n10 Fire Bolt\r\n");
        FileSandbox::Write(sandbox.Folder() / "attacks.txt", "0 Tap\r\n8 Club Swing\r\n");
        FileSandbox::Write(sandbox.MonsterInfoFile(), "; the sample's first monsters\r\n" + Line(10, 1, 5) + Line(11, 3, 6) + "\r\n"
                                 + Line(12, 2, 7));
        qdf = PathText(sandbox.MonsterInfoFile());
        session = std::make_unique<ViewerSession>();
        LoadNameLists(window, session->Files());
        ASSERT_TRUE(session->Load(window));
        table = std::make_unique<RecordTable>(rules);
        table->SetLoaded(true);
        editor = std::make_unique<TableEditor>(*table);
        file = std::make_unique<EditedFile>(*editor, *session);
        file->Loaded();
        ASSERT_TRUE(editor->Editable()) << editor->WhyNotEditable();
        const fs::path exported = sandbox.Folder() / "exported.csv";
        ASSERT_TRUE(file->ExportTo(PathText(exported), {}).done);
        csv = FileSandbox::Read(exported);
    }

    // What zuninfo-import -o writes for the edited export.
    std::string ImportWrites(const std::string& edited, bool deleteMissing)
    {
        const std::string out = PathText(sandbox.Folder() / "imported.qdf");
        std::vector<std::string> arguments{"-o", out, edited, qdf};
        if (deleteMissing)
            arguments.insert(arguments.begin(), "--delete-missing");
        std::ostringstream said, errors;
        EXPECT_EQ(RunImportCommand(arguments, said, errors), 0) << errors.str();
        return FileSandbox::Read(out);
    }

    void TearDown() override { ResetProgramState(); }

    FileSandbox sandbox;
    RecordingFake window;
    AsciiRules rules;
    std::unique_ptr<ViewerSession> session;
    std::unique_ptr<RecordTable> table;
    std::unique_ptr<TableEditor> editor;
    std::unique_ptr<EditedFile> file;
    std::string qdf;
    std::string csv;
};

TEST_F(EditedFileTest, EditsImportedAndSavedAreWhatTheImportWrites)
{
    const struct {
        const char* name;
        std::function<std::string(const std::string&)> edit;
        bool confirm; // the answer to "delete them?"
        const char* status;
    } cases[] = {
        {"a Str", [](const std::string& c) { return WithCell(c, 2, "Str", "777"); }, false,
         ": 1 changed, 0 added, 0 removed, not saved yet"},
        {"a skin by its name", [](const std::string& c) { return WithCell(WithCell(c, 1, "Skin", "Orc Chief"), 1, "Skin id", "1"); },
         false, ": 1 changed, 0 added, 0 removed, not saved yet"},
        {"a row deleted", [](const std::string& c) { return WithoutRow(c, 2); }, true,
         ": 0 changed, 0 added, 1 removed, not saved yet"},
        {"a row added", [](const std::string& c) { return c + WithCell(WithoutRow(WithoutRow(c, 1), 1), 1, "Index", "40").substr(c.find('\n') + 1); },
         false, ": 0 changed, 1 added, 0 removed, not saved yet"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string edited = PathText(FileSandbox::Write(sandbox.Folder() / "edited.csv", c.edit(csv)));
        ScriptedDialogs dialogs;
        dialogs.confirms = {c.confirm};
        const SaveResult imported = file->ImportEditsFrom(dialogs, edited);
        ASSERT_TRUE(imported.done) << imported.status;
        EXPECT_EQ(imported.status, "Edits from " + edited + c.status);
        EXPECT_TRUE(editor->Modified());
        EXPECT_EQ(dialogs.asked.size(), c.confirm ? 1u : 0u);
        const std::string expected = ImportWrites(edited, c.confirm);

        // Undone as one step, and done again, then saved.
        ASSERT_TRUE(editor->Undo());
        EXPECT_FALSE(editor->Modified());
        ASSERT_TRUE(editor->Redo());
        ASSERT_TRUE(file->Save(dialogs).done) << (dialogs.warned.empty() ? "" : dialogs.warned.back());
        EXPECT_EQ(FileSandbox::Read(qdf), expected);

        // The next case starts from the file as it was.
        Start();
    }
}

TEST_F(EditedFileTest, AnExportThatCannotBeTakenChangesNothingAndSaysWhy)
{
    const struct {
        const char* name;
        std::string bytes;
        const char* fileName;
        std::deque<bool> confirms;
        const char* says; // a part of the words
    } cases[] = {
        {"a name no list has", WithCell(csv, 1, "Skin", "Dragon"), "edited.csv", {}, "Dragon"},
        {"a number not read", WithCell(csv, 1, "Str", "12x"), "edited.csv", {}, "12x"},
        {"a form not named", csv, "edited.dat", {}, "does not end in .csv"},
        {"rows left out, kept", WithoutRow(csv, 1), "edited.csv", {false}, ""},
        {"no change", csv, "edited.csv", {}, "asks for no change"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string edited = PathText(FileSandbox::Write(sandbox.Folder() / c.fileName, c.bytes));
        ScriptedDialogs dialogs;
        dialogs.confirms = c.confirms;
        const SaveResult result = file->ImportEditsFrom(dialogs, edited);
        EXPECT_NE(result.status.find(c.says), std::string::npos) << result.status;
        EXPECT_FALSE(editor->Modified());
        EXPECT_FALSE(editor->History().CanUndo());
    }
}

TEST_F(EditedFileTest, ExportWritesTheRecordsAsShownAndNeverOverTheFilesRead)
{
    ASSERT_TRUE(editor->SetCell(1, 14, "99").done);
    ScriptedDialogs dialogs;
    for (const std::string& refused : {qdf, qdf + ".bak", PathText(sandbox.Folder() / "mons.txt")}) {
        const std::string before = FileSandbox::Read(refused);
        dialogs.chosen = refused;
        EXPECT_FALSE(file->Export(dialogs).done) << refused;
        EXPECT_EQ(FileSandbox::Read(refused), before);
    }
    EXPECT_EQ(dialogs.warned.size(), 3u);

    // A name without an ending is written as CSV.
    dialogs.chosen = PathText(sandbox.Folder() / "shown");
    const SaveResult result = file->Export(dialogs);
    ASSERT_TRUE(result.done) << result.status;
    EXPECT_EQ(FileSandbox::Read(sandbox.Folder() / "shown.csv"), WithCell(csv, 2, "Str", "99"));
}

} // namespace
