// The save pipeline on files in a temporary folder: the bytes a save gives,
// the backup, and each way a save is stopped with the old file as it was.
#include "save/SaveMonsterFile.h"
#include "tests/support/FileSandbox.h"
#include "tests/support/ProgramState.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

using namespace zuninfo;
namespace fs = std::filesystem;

namespace {

// A record line without its line end: Index, Str (field 14) as given,
// every other field 0; `gap` between the fields.
std::string Line(const std::string& index, const std::string& str, const std::string& gap = " ")
{
    std::string line = index;
    for (int field = 1; field < kMonsterFieldCount; ++field)
        line += gap + (field == 14 ? str : "0");
    return line;
}

MonsterRecord Record(int index, int str)
{
    MonsterRecord record;
    record.Fields[0] = index;
    record.Fields[14] = str;
    return record;
}

const std::string kQdf = "; monsters\r\n" + Line("007", "0010", "\t") + "\tscout\r\n" + Line("8", "20") + "\r\n";

struct SaveCase {
    const char* what;
    std::vector<WantedRecord> wanted;
    std::string onDisk = kQdf;  // the monster file when the save starts (it was loaded as kQdf)
    std::string backup = "";    // the backup's bytes before the save; empty: none
    std::function<void(SaveRequest&)> ask = [](SaveRequest&) {};
    SaveStatus status = SaveStatus::Saved;
    std::string after = "";     // the monster file after the save; empty: as it was
    std::string says = "";      // part of the message
};

TEST(Save, BytesBackupAndRefusals)
{
    const WantedRecord first{0, Record(7, 10)}, second{1, Record(8, 20)};
    const SaveCase cases[] = {
        {"a changed number keeps the line's tabs and the others' zeros", {{0, Record(7, 15)}, second}, kQdf, "", {},
         SaveStatus::Saved, "; monsters\r\n" + Line("007", "15", "\t") + "\tscout\r\n" + Line("8", "20") + "\r\n",
         "1 changed, 0 added, 0 removed; the file as loaded is kept as zuninfo.qdf.bak"},
        {"a record deleted and one added, in the file's own style", {first, {std::nullopt, Record(9, 30)}}, kQdf, "",
         {}, SaveStatus::Saved, "; monsters\r\n" + Line("007", "0010", "\t") + "\tscout\r\n" + Line("9", "30", "\t") + "\r\n",
         "0 changed, 1 added, 1 removed"},
        {"nothing changed: the same bytes", {first, second}, kQdf, "", {}, SaveStatus::Saved, kQdf, "0 changed"},
        {"the file changed on disk since it was loaded", {first, second}, kQdf + ";\r\n", "", {},
         SaveStatus::SourceChanged, "", "changed on disk since it was loaded"},
        {"written over, from the bytes as loaded", {{0, Record(7, 15)}, second}, kQdf + ";\r\n", "",
         [](SaveRequest& r) { r.overwriteChanged = true, r.loadedBytes = kQdf; }, SaveStatus::Saved,
         "; monsters\r\n" + Line("007", "15", "\t") + "\tscout\r\n" + Line("8", "20") + "\r\n", ""},
        {"a backup with other bytes is not replaced unasked", {first, second}, kQdf, "old", {},
         SaveStatus::BackupTaken, "", "holds other bytes"},
        {"and is when asked", {{0, Record(7, 15)}, second}, kQdf, "old", [](SaveRequest& r) { r.replaceBackup = true; },
         SaveStatus::Saved, "; monsters\r\n" + Line("007", "15", "\t") + "\tscout\r\n" + Line("8", "20") + "\r\n", ""},
        {"a finding the file did not have stops the save", {first, second, {std::nullopt, Record(8, 5)}}, kQdf, "", {},
         SaveStatus::Refused, "", "saving would give zuninfo.qdf a finding that"},
        {"a file the viewer reads in part is not saved", {first}, kQdf + "x\r\n", "",
         [](SaveRequest& r) { r.loaded = FingerprintOfBytes(kQdf + "x\r\n"); }, SaveStatus::Refused, "",
         "reads 'zuninfo.qdf' only in part"},
        {"a folder that is not there", {first, second}, kQdf, "", [](SaveRequest& r) { r.target = "gone/new.qdf"; },
         SaveStatus::Failed, "", "gone/new.qdf"},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        FileSandbox sandbox;
        const fs::path qdf = FileSandbox::Write(sandbox.Folder() / "zuninfo.qdf", c.onDisk);
        if (!c.backup.empty())
            FileSandbox::Write(sandbox.Folder() / "zuninfo.qdf.bak", c.backup);
        SaveRequest request;
        request.source = request.target = "zuninfo.qdf";
        request.loaded = FingerprintOfBytes(kQdf);
        request.records = c.wanted;
        request.backup = "zuninfo.qdf.bak";
        if (c.ask)
            c.ask(request);
        const SaveOutcome outcome = SaveMonsterFile(request);
        EXPECT_EQ(outcome.status, c.status) << outcome.message;
        EXPECT_NE(outcome.message.find(c.says), std::string::npos) << outcome.message;
        EXPECT_EQ(FileSandbox::Read(qdf), c.after.empty() ? c.onDisk : c.after);
        const bool saved = c.status == SaveStatus::Saved;
        EXPECT_EQ(FileSandbox::Read(sandbox.Folder() / "zuninfo.qdf.bak"),
                  saved ? kQdf : c.backup);
        // Nothing is left beside the files but what was asked.
        EXPECT_EQ(std::distance(fs::directory_iterator(sandbox.Folder()), fs::directory_iterator()),
                  1 + (saved || !c.backup.empty() ? 1 : 0));
    }
    ResetProgramState();
}

#ifndef _WIN32 // links
// A save through a link replaces the file the link names, and keeps the link.
TEST(Save, ThroughALinkTheFileItNamesIsReplaced)
{
    ResetProgramState();
    FileSandbox sandbox;
    FileSandbox::Write(sandbox.Folder() / "zuninfo.qdf", kQdf);
    fs::create_symlink("zuninfo.qdf", sandbox.Folder() / "link.qdf");
    SaveRequest request;
    request.source = request.target = "link.qdf";
    request.loaded = FingerprintOfBytes(kQdf);
    request.records = {{0, Record(7, 15)}, {1, Record(8, 20)}};
    EXPECT_EQ(SaveMonsterFile(request).status, SaveStatus::Saved);
    EXPECT_TRUE(fs::is_symlink(sandbox.Folder() / "link.qdf"));
    EXPECT_EQ(FileSandbox::Read(sandbox.Folder() / "zuninfo.qdf"),
              "; monsters\r\n" + Line("007", "15", "\t") + "\tscout\r\n" + Line("8", "20") + "\r\n");
    ResetProgramState();
}
#endif

// Whether a file may be edited: what the viewer reads whole may.
TEST(Save, WhyNotEditableGivesTheCheckersFirstWordsWithThePlace)
{
    const struct {
        std::string qdf;
        std::string says; // empty: editable
    } cases[] = {
        {kQdf, ""},
        {Line("1", "2") + "\r\n1 x 3\r\n", "zuninfo.qdf:2:3: error: Skin (field 1): 'x' is not a valid integer value"},
        {Line("1", "2") + " Orc\n" + Line("2", "2") + "\r\n", "zuninfo.qdf:2:1: error: this record line is read as part"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.qdf);
        ResetProgramState();
        FileSandbox sandbox;
        FileSandbox::Write(sandbox.Folder() / "zuninfo.qdf", c.qdf);
        const std::optional<std::string> why = ReadForEditing("zuninfo.qdf").whyNot;
        EXPECT_EQ(why.value_or("").substr(0, c.says.size()), c.says);
        EXPECT_EQ(why.has_value(), !c.says.empty());
    }
    ResetProgramState();
}

} // namespace
