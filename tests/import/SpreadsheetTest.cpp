// The xlsx export read back, and zuninfo-import on workbooks made by hand:
// xlsx and ods cells of each kind, and hostile workbooks (zip and XML bombs,
// a DTD, repeat counts past any table), each refused within bounds.
#include "exchange/EditedTable.h"
#include "exchange/SpreadsheetParts.h"
#include "export/ExportCommand.h"
#include "import/ImportCommand.h"
#include "tests/support/FileSandbox.h"
#include "tests/support/ProgramState.h"
#include "tests/support/RecordLine.h"
#include "tests/support/ZipOfParts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

using namespace zuninfo;
namespace fs = std::filesystem;

namespace {

const std::string kMons = "1 007\r\n2 1E5\r\n3 Orc \"Chief\"; the\tTall\r\n";
const std::string kQdf = RecordLine(1, 1, 10) + RecordLine(2, 2, 20) + RecordLine(3, 3, 30);

// A zip of these parts.
std::string Zip(const std::map<std::string, std::string>& parts, const fs::path& scratch, bool stored = false)
{
    return ZipOfParts({parts.begin(), parts.end()}, scratch.string(), stored);
}

// The export's header and its first record's row, as sheet cells: each
// caption a text cell, each number a number cell, the name cells text.
struct SheetText {
    std::vector<std::string> header, values;
};

SheetText FromCsv(const std::string& csv)
{
    SheetText sheet;
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    std::istringstream captions(line.substr(0, line.size() - 1));
    for (std::string cell; std::getline(captions, cell, ',');)
        sheet.header.push_back(cell);
    std::getline(lines, line);
    std::istringstream cells(line.substr(0, line.size() - 1));
    for (std::string cell; std::getline(cells, cell, ',');)
        sheet.values.push_back(cell);
    return sheet;
}

using CellXml = std::function<std::string(std::size_t column, const std::string& value, bool text)>;

std::map<std::string, std::string> Xlsx(const SheetText& sheet, CellXml cell, const std::string& before = "")
{
    std::string xml = before + "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
                               "<row r=\"1\">";
    for (const std::string& caption : sheet.header)
        xml += "<c t=\"inlineStr\"><is><t>" + caption + "</t></is></c>";
    xml += "</row><row r=\"2\">";
    for (std::size_t column = 0; column < sheet.values.size(); ++column)
        xml += cell(column, sheet.values[column], column == 1);
    xml += "</row></sheetData></worksheet>";
    return {{"xl/workbook.xml", "<workbook xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                                "<sheets><sheet name=\"M\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
            {"xl/_rels/workbook.xml.rels", "<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/>"
                                           "</Relationships>"},
            {"xl/worksheets/sheet1.xml", xml}};
}

CellXml XlsxCells(std::size_t changed = 99, const std::string& replaced = "")
{
    return [=](std::size_t column, const std::string& value, bool text) {
        if (column == changed)
            return replaced;
        return text ? "<c t=\"inlineStr\"><is><t>" + value + "</t></is></c>" : "<c><v>" + value + "</v></c>";
    };
}

std::map<std::string, std::string> Ods(const SheetText& sheet, CellXml cell, const std::string& after = "",
                                       const std::string& repeated = "1")
{
    const auto text = [](const std::string& t) {
        return "<table:table-cell office:value-type=\"string\"><text:p>" + t + "</text:p></table:table-cell>";
    };
    std::string xml = "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                      "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                      "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
                      "<table:table><table:table-row>";
    for (const std::string& caption : sheet.header)
        xml += text(caption);
    xml += "</table:table-row><table:table-row table:number-rows-repeated=\"" + repeated + "\">";
    for (std::size_t column = 0; column < sheet.values.size(); ++column)
        xml += cell(column, sheet.values[column], column == 1);
    xml += "</table:table-row>" + after + "</table:table></office:spreadsheet></office:body></office:document-content>";
    return {{"content.xml", xml}};
}

CellXml OdsCells(std::size_t changed = 99, const std::string& replaced = "")
{
    return [=](std::size_t column, const std::string& value, bool text) {
        if (column == changed)
            return replaced;
        return text ? "<table:table-cell office:value-type=\"string\"><text:p>" + value + "</text:p></table:table-cell>"
                    : "<table:table-cell office:value-type=\"float\" office:value=\"" + value + "\"/>";
    };
}

struct WorkbookCase {
    const char* what;
    std::string edited;
    std::function<std::map<std::string, std::string>(const SheetText&)> parts; // none: the xlsx export itself
    std::string newQdf; // empty: refused
    std::string err;
};

TEST(ImportWorkbooks, CellsOfEachKindAndHostileWorkbooks)
{
    // A workbook made by hand holds the first record alone.
    const std::string str15 = RecordLine(1, 1, 15);
    const std::string bomb(kMostPartBytes + 1, ' ');
    const std::string laughs = "<!DOCTYPE w [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]>";
    const WorkbookCase cases[] = {
        {"the xlsx export back, names like numbers kept", "edited.xlsx", nullptr, kQdf, ""},
        {"xlsx: a number typed over", "edited.xlsx", [](auto s) { return Xlsx(s, XlsxCells(19, "<c><v>15</v></c>")); },
         str15, ""},
        {"xlsx: a whole number saved with a point and exponent", "edited.xlsx",
         [](auto s) { return Xlsx(s, XlsxCells(19, "<c><v>1.5E1</v></c>")); }, str15, ""},
        {"xlsx: a formula's saved value", "edited.xlsx",
         [](auto s) { return Xlsx(s, XlsxCells(19, "<c><f>T3+5</f><v>15</v></c>")); }, str15, ""},
        {"xlsx: a formula with no saved value", "edited.xlsx",
         [](auto s) { return Xlsx(s, XlsxCells(19, "<c><f>T3+5</f></c>")); }, "",
         "edited.xlsx:2:20: error: row 2, column T: a formula with no saved value"},
        {"xlsx: a number that is not whole", "edited.xlsx",
         [](auto s) { return Xlsx(s, XlsxCells(19, "<c r=\"T2\"><v>1.5</v></c>")); }, "",
         "edited.xlsx:2:20: error: row 2 (Index 1), column T (Str): '1.5' is not a number"},
        {"xlsx: a name made a number", "edited.xlsx", [](auto s) { return Xlsx(s, XlsxCells(1, "<c><v>7</v></c>")); },
         "", "the xlsx export (zuninfo-export --format xlsx) keeps names as text"},
        {"xlsx: a DTD is never read", "edited.xlsx",
         [&](auto s) { return Xlsx(s, XlsxCells(), laughs); }, "",
         "holds a document type declaration, which a workbook never needs and which is never read"},
        {"xlsx: a part that inflates past 4 MiB", "edited.xlsx",
         [&](auto s) { auto parts = Xlsx(s, XlsxCells()); parts["xl/worksheets/sheet1.xml"] += bomb; return parts; }, "",
         "the workbook's part xl/worksheets/sheet1.xml inflates to more than 4 MiB"},
        {"xlsx: a cell past the header's columns", "edited.xlsx",
         [](auto s) { return Xlsx(s, XlsxCells(27, "<c r=\"XFD2\"><v>1</v></c>")); }, "",
         "row 2, column XFD: a cell past column"},
        {"not a zip file", "edited.xlsx", [](auto) { return std::map<std::string, std::string>{}; }, "",
         "edited.xlsx: error: not a zip file"},
        {"ods: a number typed over, and empty rows repeated past any sheet", "edited.ods",
         [](auto s) {
             return Ods(s, OdsCells(19, "<table:table-cell office:value-type=\"float\" office:value=\"15\"/>"),
                        "<table:table-row table:number-rows-repeated=\"2000000000\"><table:table-cell "
                        "table:number-columns-repeated=\"16384\"/></table:table-row>");
         },
         str15, ""},
        {"ods: a row repeated is the same row again, as far as a table is read", "edited.ods",
         [](auto s) { return Ods(s, OdsCells(), "", "2000000000"); }, "",
         "edited.ods:1002:1: error: row 1002: more than 1000 rows"},
        {"ods: cells repeated, and a note left out", "edited.ods",
         [](auto s) {
             const CellXml cells = OdsCells(1, "<table:table-cell office:value-type=\"string\"><office:annotation>"
                                               "<text:p>a note</text:p></office:annotation><text:p>0<text:s/>07</text:p>"
                                               "</table:table-cell>");
             return Ods(s, [=](std::size_t column, const std::string& value, bool text) {
                 return column == 3 ? "<table:table-cell table:number-columns-repeated=\"2\" office:value-type=\"float\" "
                                      "office:value=\"0\"/>"
                        : column == 4 ? "" : cells(column, value, text);
             });
         },
         "", "column B (Skin): the name changed from '007' to '0 07'"},
        {"ods: a formula without its saved value", "edited.ods",
         [](auto s) { return Ods(s, OdsCells(19, "<table:table-cell table:formula=\"of:=1\"/>")); }, "",
         "edited.ods:2:20: error: row 2, column T: a formula with no saved value"},
    };
    for (const WorkbookCase& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        FileSandbox sandbox;
        FileSandbox::Write(sandbox.Folder() / "mons.txt", kMons);
        FileSandbox::Write(sandbox.Folder() / "skills.txt", "");
        FileSandbox::Write(sandbox.Folder() / "attacks.txt", "");
        FileSandbox::Write(sandbox.Folder() / "zuninfo.qdf", kQdf);
        std::ostringstream out, err;
        if (c.parts == nullptr) {
            ASSERT_NE(RunExportCommand({"--lists", ".", "-o", c.edited, "zuninfo.qdf"}, out, err), 2) << err.str();
        } else {
            ASSERT_NE(RunExportCommand({"--lists", ".", "zuninfo.qdf"}, out, err), 2) << err.str();
            const auto parts = c.parts(FromCsv(out.str()));
            FileSandbox::Write(sandbox.Folder() / c.edited,
                               parts.empty() ? "PK not a zip" : Zip(parts, sandbox.Folder() / "scratch.zip"));
        }
        ResetProgramState();
        err.str("");
        EXPECT_EQ(RunImportCommand({"--lists", ".", "--delete-missing", "-o", "new.qdf", c.edited, "zuninfo.qdf"}, out, err),
                  c.newQdf.empty() ? 2 : 0)
            << err.str();
        EXPECT_NE(err.str().find(c.err), std::string::npos) << err.str();
        if (c.newQdf.empty()) {
            EXPECT_FALSE(fs::exists(sandbox.Folder() / "new.qdf"));
        } else {
            EXPECT_EQ(FileSandbox::Read(sandbox.Folder() / "new.qdf"), c.newQdf);
        }
    }
    ResetProgramState();
}

// A zip damaged in a part's bytes or headers is refused with what is wrong,
// never read as it stands. Each damage adds 1 to a field of the part's
// local header, of its central one, or of both (offsets from each, 0 for
// none; kData: the part's first byte).
TEST(ImportWorkbooks, DamagedZipsAreRefused)
{
    constexpr std::size_t kData = 1;
    struct Damage {
        bool stored;
        std::size_t local, central, width;
        const char* err;
    } const damages[] = {
        {true, kData, 0, 1, "its bytes do not match their checksum"},
        {true, 0, 8, 2, "it is encrypted"},
        {true, 0, 10, 2, "it is compressed by method 1,"},
        {false, 22, 0, 4, "its entry in the zip is damaged"},
        {false, 22, 24, 4, "its bytes end before the size the zip gives it"},
    };
    FileSandbox sandbox;
    const std::string part = "xl/workbook.xml";
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.err);
        std::string zip = Zip(Xlsx({}, XlsxCells()), sandbox.Folder() / "scratch.zip", d.stored);
        for (const auto& [signature, field, nameAt] : {std::tuple{"PK\3\4", d.local, 30}, {"PK\1\2", d.central, 46}}) {
            for (std::size_t at = zip.find(signature); field != 0 && at != std::string::npos;
                 at = zip.find(signature, at + 1)) {
                if (zip.compare(at + nameAt, part.size(), part) != 0)
                    continue;
                // Adds 1 to the little-endian field.
                std::size_t byte = field == kData ? at + nameAt + part.size() : at + field;
                for (const std::size_t end = byte + d.width; byte < end && ++zip[byte] == '\0'; ++byte) {
                }
            }
        }
        try {
            ReadEditedTable(zip, RecordFormat::Xlsx, "edited.xlsx");
            ADD_FAILURE() << "read";
        } catch (const Refusal& refusal) {
            EXPECT_NE(refusal.Text().find("part xl/workbook.xml cannot be read: " + std::string(d.err)), std::string::npos)
                << refusal.Text();
        }
    }
}

// The xlsx export as a spreadsheet opens it: names as text cells and numbers
// as number cells, the header frozen, each name column's drop-down from the
// lists' sheet, and a note on each caption with a hint.
TEST(ImportWorkbooks, TheXlsxExportHoldsWhatASpreadsheetNeeds)
{
    ResetProgramState();
    FileSandbox sandbox;
    FileSandbox::Write(sandbox.Folder() / "mons.txt", kMons);
    FileSandbox::Write(sandbox.Folder() / "zuninfo.qdf", kQdf);
    std::ostringstream out, err;
    ASSERT_NE(RunExportCommand({"--lists", ".", "-o", "out.xlsx", "zuninfo.qdf"}, out, err), 2) << err.str();
    const std::string bytes = FileSandbox::Read(sandbox.Folder() / "out.xlsx");
    const ZipParts zip(bytes, "out.xlsx");
    const std::string sheet = zip.Read("xl/worksheets/sheet1.xml");
    EXPECT_NE(sheet.find("state=\"frozen\""), std::string::npos);
    EXPECT_NE(sheet.find("<autoFilter ref=\"A1:AB4\"/>"), std::string::npos);
    EXPECT_NE(sheet.find("<dataValidation type=\"list\" allowBlank=\"1\" showInputMessage=\"1\" showErrorMessage=\"1\" "
                         "sqref=\"B2:B501\"><formula1>Lists!$A$1:$A$3</formula1>"),
              std::string::npos)
        << sheet;
    // Row 2: Index 1 a number, its name "007" a text (written in its cell).
    EXPECT_NE(sheet.find("<c r=\"A2\"><v>1</v></c><c r=\"B2\" t=\"inlineStr\"><is><t>007</t></is></c>"
                         "<c r=\"C2\"><v>1</v></c>"),
              std::string::npos)
        << sheet;
    EXPECT_NE(zip.Read("xl/comments1.xml").find("What the monster looks like"), std::string::npos);
    EXPECT_NE(sheet.find("<t>Orc \"Chief\"; the\tTall</t>"), std::string::npos);

    const EditedTable table = ReadEditedTable(bytes, RecordFormat::Xlsx, "out.xlsx");
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[0].names[1], "007");
    EXPECT_EQ(table.rows[1].names[1], "1E5");
    EXPECT_EQ(table.rows[2].values[14], 30);
    ResetProgramState();
}

} // namespace
