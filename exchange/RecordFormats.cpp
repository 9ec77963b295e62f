#include "exchange/RecordFormats.h"

#include "data/MonsterFields.h"
#include "exchange/JsonWriter.h"
#include "exchange/RecordColumns.h"
#include "exchange/ShownJson.h"
#include "exchange/XlsxWorkbook.h"

#include <charconv>
#include <string>

namespace zuninfo {

namespace {

void AppendNumber(std::string& row, std::int32_t value)
{
    char digits[16];
    row.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void AppendCsv(std::string& row, std::string_view text)
{
    // A cell with either separator or a tab is quoted too, so that a
    // spreadsheet that splits at all of them keeps it whole.
    if (text.find_first_of(kCsvQuoted) == std::string_view::npos) {
        row += text;
        return;
    }
    row += '"';
    for (const char c : text) {
        if (c == '"')
            row += '"';
        row += c;
    }
    row += '"';
}

void AppendTsv(std::string& row, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '\\': row += "\\\\"; break;
        case '\t': row += "\\t"; break;
        case '\r': row += "\\r"; break;
        case '\n': row += "\\n"; break;
        default: row += c;
        }
    }
}

// A header row of the captions, then a row a record, each built whole and
// written at once.
void WriteTable(const std::vector<ShownRecord>& records, char separator, std::string_view lineEnd,
                void (*append)(std::string&, std::string_view), bool formulaGuard, std::ostream& out)
{
    std::string row;
    for (const RecordColumn& column : kRecordColumns) {
        if (!row.empty())
            row += separator;
        append(row, ColumnCaption(column));
    }
    row += lineEnd;
    out.write(row.data(), static_cast<std::streamsize>(row.size()));
    for (const ShownRecord& shown : records) {
        row.clear();
        for (std::size_t i = 0; i < kRecordColumns.size(); ++i) {
            const RecordColumn& column = kRecordColumns[i];
            const std::int32_t value = shown.record.Fields[static_cast<std::size_t>(column.field)];
            if (i > 0)
                row += separator;
            if (column.isName) {
                const std::string name = ShownName(*kMonsterFields[static_cast<std::size_t>(column.field)].names, value);
                if (formulaGuard && LooksLikeFormula(name))
                    append(row, GuardedName(name));
                else
                    append(row, name);
            } else {
                AppendNumber(row, value);
            }
        }
        row += lineEnd;
        out.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
}

} // namespace

void WriteCsv(const std::vector<ShownRecord>& records, std::ostream& out, bool formulaGuard, char separator)
{
    WriteTable(records, separator, "\r\n", AppendCsv, formulaGuard, out);
}

void WriteTsv(const std::vector<ShownRecord>& records, std::ostream& out, bool formulaGuard)
{
    WriteTable(records, '\t', "\n", AppendTsv, formulaGuard, out);
}

void WriteJson(const std::vector<ShownRecord>& records, std::ostream& out)
{
    JsonWriter json(out);
    json.Array(JsonWriter::Layout::Lines);
    for (const ShownRecord& shown : records) {
        json.Object();
        WriteRecordPlace(json, shown);
        for (int field = 0; field < kMonsterFieldCount; ++field) {
            json.Key(kMonsterFields[static_cast<std::size_t>(field)].caption);
            WriteShownValue(json, field, shown.record.Fields[static_cast<std::size_t>(field)]);
        }
        json.End();
    }
    json.End();
    out << '\n';
}

void WriteRecords(const RecordForm& form, const std::vector<ShownRecord>& records, std::ostream& out)
{
    if (form.bom)
        out << "\xEF\xBB\xBF";
    switch (form.format) {
    case RecordFormat::Csv: WriteCsv(records, out, form.formulaGuard, form.separator); break;
    case RecordFormat::Tsv: WriteTsv(records, out, form.formulaGuard); break;
    case RecordFormat::Json: WriteJson(records, out); break;
    case RecordFormat::Xlsx: WriteXlsx(records, out); break;
    case RecordFormat::Ods: break;
    }
}

} // namespace zuninfo
