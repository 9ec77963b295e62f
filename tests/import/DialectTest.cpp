// zuninfo-import on the CSV and text dialects spreadsheets save: each
// separator, byte order mark, UTF-16 and code page, and the refusals where a
// spreadsheet changed a name. (The locale comes from the environment, which
// these tests set with POSIX's setenv.)
#include "export/ExportCommand.h"
#include "import/ImportCommand.h"
#include "tests/support/FileSandbox.h"
#include "tests/support/ProgramState.h"
#include "tests/support/RecordLine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

using namespace zuninfo;
namespace fs = std::filesystem;

#ifndef _WIN32
namespace {

// Western and Cyrillic names, in UTF-8 and in their code pages.
const std::string kEclaireur = "\xC3\x89" "claireur", kEclaireur1252 = "\xC9" "claireur";
const std::string kGoblin = "\xD0\x93\xD0\xBE\xD0\xB1\xD0\xBB\xD0\xB8\xD0\xBD", kGoblin1251 = "\xC3\xEE\xE1\xEB\xE8\xED";
const std::string kMons = "1 " + kEclaireur + "\r\n2 007\r\n3 1E5\r\n4 Orc\r\n";
const std::string kMons1251 = "1 " + kGoblin1251 + "\r\n4 Orc\r\n";
const std::string kQdf = RecordLine(1, 1, 10) + RecordLine(2, 2, 20) + RecordLine(3, 3, 30) + RecordLine(4, 4, 40);
const std::string kQdfStr15 = RecordLine(1, 1, 15) + RecordLine(2, 2, 20) + RecordLine(3, 3, 30) + RecordLine(4, 4, 40);

// The comma CSV's cells (it quotes none here), the first record's Str set to
// 15, written again with `separator` and CR LF, every cell quoted with
// `quoteAll` as LibreOffice writes text.
std::function<std::string(const std::string&)> Saved(char separator, bool quoteAll = false)
{
    return [=](const std::string& csv) {
        std::string text;
        std::istringstream lines(csv);
        int row = 0;
        for (std::string line; std::getline(lines, line); ++row) {
            std::istringstream cells(line.substr(0, line.size() - 1) + ",");
            int column = 0;
            for (std::string cell; std::getline(cells, cell, ','); ++column) {
                if (row == 1 && column == 19)
                    cell = "15";
                const bool isText = cell.empty() || cell.find_first_not_of("0123456789") != std::string::npos;
                text += (column ? std::string(1, separator) : "") + (quoteAll && isText ? '"' + cell + '"' : cell);
            }
            text += "\r\n";
        }
        return text;
    };
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

// UTF-8 (of the BMP) as UTF-16 with its byte order mark.
std::string Utf16(const std::string& utf8, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int more = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : 2;
        char32_t c = more == 0 ? lead : lead & (more == 1 ? 0x1F : 0x0F);
        for (int k = 1; k <= more; ++k)
            c = c << 6 | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        i += static_cast<std::size_t>(more) + 1;
        const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

using Edit = std::function<std::string(const std::string&)>;
Edit Then(Edit first, std::function<std::string(std::string)> second)
{
    return [=](const std::string& csv) { return second(first(csv)); };
}

struct DialectCase {
    const char* what;
    Edit save;               // the comma CSV as a spreadsheet saves it
    std::string newQdf;      // empty: refused, nothing written
    std::string err;         // part of standard error
    std::string edited = "edited.csv";
    std::vector<std::string> options = {};
    std::string mons = kMons;
    const char* locale = "de_DE.UTF-8";
};

TEST(ImportDialects, EachSeparatorEncodingAndCodePage)
{
    const auto to1252 = [](std::string t) { return Replaced(t, kEclaireur, kEclaireur1252); };
    const auto to1251 = [](std::string t) { return Replaced(t, kGoblin, kGoblin1251); };
    const DialectCase cases[] = {
        {"comma, UTF-8", Saved(','), kQdfStr15, ""},
        {"semicolon, UTF-8", Saved(';'), kQdfStr15, ""},
        {"semicolon, every text quoted, as LibreOffice saves", Saved(';', true), kQdfStr15, ""},
        {"Excel's CSV UTF-8: a byte order mark and semicolons",
         Then(Saved(';'), [](std::string t) { return "\xEF\xBB\xBF" + t; }), kQdfStr15, ""},
        {"an Excel sep= line", Then(Saved(';'), [](std::string t) { return "sep=;\r\n" + t; }), kQdfStr15, ""},
        {"tabs, quoted where needed, as .txt", Saved('\t'), kQdfStr15, "", "edited.txt"},
        {"Unicode Text: UTF-16 LE with its mark and tabs",
         Then(Saved('\t'), [](std::string t) { return Utf16(t, false); }), kQdfStr15, "", "edited.txt"},
        {"UTF-16 BE with its mark", Then(Saved(';'), [](std::string t) { return Utf16(t, true); }), kQdfStr15, ""},
        {"Windows-1252 under a German locale", Then(Saved(';'), to1252), kQdfStr15, ""},
        {"Windows-1251 lists and CSV under a Russian locale", Then(Saved(';'), to1251), kQdfStr15, "", "edited.csv", {},
         kMons1251, "ru_RU.UTF-8"},
        {"--encoding names the code page", Then(Saved(','), to1251), kQdfStr15, "", "edited.csv",
         {"--encoding", "windows-1251"}, kMons1251, "ru_RU.UTF-8"},
        {"the wrong code page never goes through", Then(Saved(','), to1251), "",
         "no id in mons.txt has that name", "edited.csv", {"--encoding", "1252"}, kMons1251, "ru_RU.UTF-8"},
        {"a letter the code page lacks, saved as '?'",
         Then(Saved(','), [](std::string t) { return Replaced(t, kGoblin, "??????"); }), "",
         "a '?' stands where '" + kGoblin + "' has a letter that the code page the table was saved in lacks: save it as "
                                            "\"CSV UTF-8\"",
         "edited.csv", {}, kMons1251, "ru_RU.UTF-8"},
        {"a name made a number", Then(Saved(','), [](std::string t) { return Replaced(t, ",007,", ",7,"); }), "",
         "column B (Skin): the name changed from '007' to '7', but no id in mons.txt has that name: give the id meant "
         "in column C (Skin id); a spreadsheet that opens a CSV makes a name such as '007' a number, a date, a time or a "
         "percentage: the xlsx export (zuninfo-export --format xlsx) keeps names as text"},
        {"a name made a number in scientific form",
         Then(Saved(';'), [](std::string t) { return Replaced(t, ";1E5;", ";1.00E+05;"); }), "",
         "the xlsx export (zuninfo-export --format xlsx) keeps names as text"},
        {"UTF-16 cut short", Then(Saved(','), [](std::string t) { return Utf16(t, false) + "x"; }), "",
         "edited.csv: error: the bytes at offset"},
        {"a byte order mark that is not true",
         Then(Saved(','), [](std::string t) { return "\xEF\xBB\xBF" + t + "\xC9"; }), "",
         "is not UTF-8, which the byte order mark at the start says the text is"},
        {"an --encoding that is no code page", Saved(','), "", "--encoding names a Windows code page by its number",
         "edited.csv", {"--encoding", "latin"}},
    };
    const char* before = std::getenv("LC_ALL");
    const std::string previous = before != nullptr ? before : "";
    for (const DialectCase& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        setenv("LC_ALL", c.locale, 1);
        FileSandbox sandbox;
        FileSandbox::Write(sandbox.Folder() / "mons.txt", c.mons);
        FileSandbox::Write(sandbox.Folder() / "skills.txt", "");
        FileSandbox::Write(sandbox.Folder() / "attacks.txt", "");
        FileSandbox::Write(sandbox.Folder() / "zuninfo.qdf", kQdf);
        std::ostringstream csv, err;
        ASSERT_EQ(RunExportCommand({"--lists", ".", "zuninfo.qdf"}, csv, err), 0) << err.str();
        FileSandbox::Write(sandbox.Folder() / c.edited, c.save(csv.str()));
        std::vector<std::string> arguments = c.options;
        arguments.insert(arguments.end(), {"--lists", ".", "-o", "new.qdf", c.edited, "zuninfo.qdf"});
        ResetProgramState();
        std::ostringstream out;
        err.str("");
        EXPECT_EQ(RunImportCommand(arguments, out, err), c.newQdf.empty() ? 2 : 0) << err.str();
        EXPECT_NE(err.str().find(c.err), std::string::npos) << err.str();
        if (c.newQdf.empty()) {
            EXPECT_FALSE(fs::exists(sandbox.Folder() / "new.qdf"));
        } else {
            EXPECT_EQ(FileSandbox::Read(sandbox.Folder() / "new.qdf"), c.newQdf);
        }
    }
    before != nullptr ? setenv("LC_ALL", previous.c_str(), 1) : unsetenv("LC_ALL");
    ResetProgramState();
}

} // namespace
#endif
