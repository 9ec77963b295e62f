// zuninfo-export run in-process on small files made in a temporary folder.
#include "export/ExportCommand.h"
#include "tests/support/FileSandbox.h"
#include "tests/support/ProgramState.h"
#include "tests/support/TextCases.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace zuninfo;

namespace {

// A record line: Index, Skin, then 2 to 22 (the attack and skill ids 8 to
// 11 too).
std::string Record(int index, int skin, const std::string& field3 = "3")
{
    std::string line = std::to_string(index) + " " + std::to_string(skin) + " 2 " + field3;
    for (int field = 4; field < 23; ++field)
        line += "\t" + std::to_string(field);
    return line + "\r\n";
}

// Names with the bytes CSV, TSV and JSON must escape: a quote, a comma, a
// tab and a backslash; and, with kLfName, an LF that a name takes in (it
// runs to CR), which the viewer reads so at a loss of a line.
const std::string kMons = "1 Orc \"Chief\", the Tall\r\n2 Imp\tof\\Ash\r\n";
// Names a spreadsheet would take for formulas, and one longer than what a
// check keeps of a name.
const std::string kFormulas = "5 =1+1\r\n6 -Rat\r\n7 @Bat\r\n";
const std::string kLongName = "Goblin Chieftain of the Deep Caves under the Old Grey Mountain";
const std::string kLfName = "3 Two\nLines\r\n";
const std::string kTwoRecords = Record(0, 1) + Record(1, 2);

struct ExportCase {
    const char* what;
    std::vector<std::string> arguments;
    std::string qdf;
    int exitCode;
    std::string out; // part of standard output; empty: nothing
    std::string err; // part of standard error; empty: nothing
};

TEST(Export, FormatsLossesAndExitCodes)
{
    const std::string files[] = {"mons.txt", "zuninfo.qdf"};
    const auto with = [&](std::vector<std::string> options) {
        options.insert(options.end(), std::begin(files), std::end(files));
        return options;
    };
    const std::string header = "Index,Skin,Skin id,Line of Sight,Walk Speed,";
    const ExportCase cases[] = {
        {"csv, headed by the captions", with({}), kTwoRecords, 0, header + "1st Attack Range,", ""},
        {"tsv", with({"--format", "tsv"}), kTwoRecords, 0, "Index\tSkin\tSkin id\t", ""},
        {"a BOM first", with({"--bom"}), kTwoRecords, 0, "\xEF\xBB\xBFIndex,", ""},
        {"a record lost behind a bad token", with({}), Record(0, 1) + Record(1, 1, "3x") + Record(2, 1), 1,
         header, "zuninfo.qdf:2:7: error: Walk Speed (field 3): '3x' is not a valid integer value"},
        {"a file without records: the header alone", with({"--format=json"}), ";\r\n", 0, "[]\n", ""},
        {"a monster file that cannot be read: nothing", {"mons.txt", "missing.qdf"}, "", 2, "", "missing.qdf: error"},
        {"an unknown format", with({"--format", "xml"}), kTwoRecords, 2, "", "unknown value 'xml' for --format"},
        {"json takes no BOM", with({"--format", "json", "--bom"}), kTwoRecords, 2, "", "--bom is for csv and tsv"},
        {"never over a file it reads", with({"-o", "./mons.txt"}), kTwoRecords, 2, "", "a file this run reads"},
        {"an unknown option", with({"--columns"}), kTwoRecords, 2, "", "unknown option '--columns'"},
        {"a name that looks like a formula: after a '", with({}), Record(0, 5), 0, "\r\n0,'=1+1,5,2,3,", ""},
        {"in tsv too, and a number as it stands", with({"--format", "tsv"}), Record(0, 6, "-5"), 0, "\n0\t'-Rat\t6\t2\t-5\t",
         ""},
        {"an @ begins a formula too", with({}), Record(0, 7), 0, "\r\n0,'@Bat,7,", ""},
        {"--no-formula-guard", with({"--no-formula-guard"}), Record(0, 7), 0, "\r\n0,@Bat,7,", ""},
        {"json as it stands", with({"--json"}), Record(0, 5), 0, R"("Skin": {"id": 5, "name": "=1+1"})", ""},
        {"a long name whole", with({}), Record(0, 8), 0, "\r\n0," + kLongName + ",8,", ""},
        {"a name with a tab quoted in csv", with({}), Record(0, 2), 0, "\r\n0,\"Imp\tof\\Ash\",2,", ""},
        {"a name with a semicolon quoted", with({}), Record(0, 9), 0, "\r\n0,\"Rat;King\",9,", ""},
        {"--separator ';'", with({"--separator", ";"}), Record(0, 1), 0,
         "\r\n0;\"Orc \"\"Chief\"\", the Tall\";1;2;3;4;", ""},
        {"--separator is for csv", with({"--format", "tsv", "--separator", ";"}), Record(0, 1), 2, "",
         "--separator is for csv"},
#ifdef ZUNINFO_WORKBOOKS
        {"xlsx is a zip of its own", with({"--format", "xlsx"}), Record(0, 1), 0, "PK\x03\x04", ""},
#endif
        {"xlsx takes no BOM", with({"--format", "xlsx", "--bom"}), Record(0, 1), 2, "", "--bom is for csv and tsv"},
        {"no other separator", with({"--separator", "|"}), Record(0, 1), 2, "", "unknown value '|' for --separator"},
    };
    for (const ExportCase& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        FileSandbox sandbox;
        FileSandbox::Write(sandbox.Folder() / "mons.txt", kMons + kFormulas + "8 " + kLongName + "\r\n9 Rat;King\r\n");
        FileSandbox::Write(sandbox.Folder() / "zuninfo.qdf", c.qdf);
        std::ostringstream out, err;
        EXPECT_EQ(RunExportCommand(c.arguments, out, err), c.exitCode);
        EXPECT_NE(out.str().find(c.out), std::string::npos) << out.str();
        if (c.out.empty()) {
            EXPECT_EQ(out.str(), "");
        }
        if (c.err.empty()) {
            EXPECT_EQ(err.str(), "");
        } else {
            EXPECT_NE(err.str().find(c.err), std::string::npos) << err.str();
        }
    }
    ResetProgramState();
}

// Each record's row, read back as its format defines it, holds the names
// and values the viewer shows.
TEST(Export, EachFormatReadsBackToTheRecords)
{
    ResetProgramState();
    FileSandbox sandbox;
    FileSandbox::Write(sandbox.Folder() / "mons.txt", kMons + kLfName);
    FileSandbox::Write(sandbox.Folder() / "zuninfo.qdf", Record(5, 1) + Record(6, 2) + Record(7, 3));
    const auto run = [](std::vector<std::string> arguments) {
        arguments.insert(arguments.end(), {"mons.txt", "zuninfo.qdf"});
        std::ostringstream out, err;
        EXPECT_EQ(RunExportCommand(arguments, out, err), 1);
        EXPECT_NE(err.str().find("mons.txt:3:6: error: line ends with LF alone"), std::string::npos) << err.str();
        return out.str();
    };

    const std::string csv = run({});
    EXPECT_NE(csv.find("\r\n5,\"Orc \"\"Chief\"\", the Tall\",1,2,3,"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\n7,\"Two\nLines\",3,2,3,"), std::string::npos) << csv;
    const std::string tsv = run({"--format=tsv"});
    EXPECT_NE(tsv.find("\n6\tImp\\tof\\\\Ash\t2\t2\t3\t"), std::string::npos) << tsv;
    EXPECT_NE(tsv.find("\n7\tTwo\\nLines\t3\t"), std::string::npos) << tsv;

    const nlohmann::json json = nlohmann::json::parse(run({"--format", "json"}));
    ASSERT_EQ(json.size(), 3u);
    EXPECT_EQ(json[0]["record"], 0);
    EXPECT_EQ(json[0]["line"], 1);
    EXPECT_EQ(json[2]["line"], 3);
    EXPECT_EQ(json[1]["Skin"]["name"], "Imp\tof\\Ash");
    EXPECT_EQ(json[1]["Skin"]["id"], 2);
    EXPECT_EQ(json[2]["Fly"], 22);
    EXPECT_EQ(json[0]["Skill 1"]["name"], ""); // skills.txt was not read
    ResetProgramState();
}

// -o replaces its file only with the whole export, and leaves nothing else.
TEST(Export, AnOutputFileIsReplacedWhole)
{
    ResetProgramState();
    FileSandbox sandbox;
    FileSandbox::Write(sandbox.Folder() / "zuninfo.qdf", kTwoRecords);
    FileSandbox::Write(sandbox.Folder() / "out.csv", "old export");
    for (const char* list : {"mons.txt", "skills.txt", "attacks.txt"})
        FileSandbox::Write(sandbox.Folder() / list, "");
    std::ostringstream out, err;

    EXPECT_EQ(RunExportCommand({"-o", "out.csv", "zuninfo.qdf"}, out, err), 0) << err.str();
    EXPECT_EQ(out.str(), "");
    std::ifstream written(sandbox.Folder() / "out.csv", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(sandbox.Folder()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"attacks.txt", "mons.txt", "out.csv", "skills.txt", "zuninfo.qdf"}));
    ResetProgramState();
}

#ifndef _WIN32
std::string Utf8(const std::u16string& text)
{
    std::string utf8;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else {
            const int more = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
            constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
            utf8 += static_cast<char>(kLead[more] | (c >> (6 * more)));
            for (int k = more - 1; k >= 0; --k)
                utf8 += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
        }
    }
    return utf8;
}

// The names in an export are those the window shows: the cases every front
// end meets, under the locale the environment gives.
TEST(Export, NamesAreDecodedAsTheWindowDecodesThem)
{
    const char* before = std::getenv("LC_ALL");
    const std::string previous = before != nullptr ? before : "";
    for (const DecodingCase& c : DecodingCases()) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        FileSandbox sandbox;
        FileSandbox::Write(sandbox.Folder() / "mons.txt", c.list);
        std::string records;
        for (std::size_t id = 1; id <= c.shown.size(); ++id)
            records += Record(static_cast<int>(id), static_cast<int>(id));
        FileSandbox::Write(sandbox.Folder() / "zuninfo.qdf", records);
        setenv("LC_ALL", c.locale, 1);
        std::ostringstream out, err;
        RunExportCommand({"--format", "json", "mons.txt", "zuninfo.qdf"}, out, err);
        const nlohmann::json json = nlohmann::json::parse(out.str());
        for (std::size_t i = 0; i < c.shown.size(); ++i)
            EXPECT_EQ(json[i]["Skin"]["name"], Utf8(c.shown[i])) << "id " << i + 1;
    }
    before != nullptr ? setenv("LC_ALL", previous.c_str(), 1) : unsetenv("LC_ALL");
    ResetProgramState();
}
#endif

} // namespace
