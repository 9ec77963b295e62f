#include "export/RecordFormats.h"

#include "data/MonsterFields.h"
#include "tools/JsonText.h"

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
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
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
                void (*append)(std::string&, std::string_view), std::ostream& out)
{
    std::string row;
    for (const MonsterField& field : kMonsterFields) {
        if (!row.empty())
            row += separator;
        append(row, field.caption);
        if (field.names) {
            row += separator;
            append(row, std::string(field.caption) + " id");
        }
    }
    row += lineEnd;
    out.write(row.data(), static_cast<std::streamsize>(row.size()));
    for (const ShownRecord& shown : records) {
        row.clear();
        for (int field = 0; field < kMonsterFieldCount; ++field) {
            const std::int32_t value = shown.record.Fields[static_cast<std::size_t>(field)];
            if (field > 0)
                row += separator;
            if (const std::optional<NameList> list = kMonsterFields[static_cast<std::size_t>(field)].names) {
                append(row, ShownName(*list, value));
                row += separator;
            }
            AppendNumber(row, value);
        }
        row += lineEnd;
        out.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
}

} // namespace

void WriteCsv(const std::vector<ShownRecord>& records, std::ostream& out)
{
    WriteTable(records, ',', "\r\n", AppendCsv, out);
}

void WriteTsv(const std::vector<ShownRecord>& records, std::ostream& out)
{
    WriteTable(records, '\t', "\n", AppendTsv, out);
}

void WriteJson(const std::vector<ShownRecord>& records, std::ostream& out)
{
    out << "[";
    const char* separator = "\n";
    for (const ShownRecord& shown : records) {
        out << separator << "  {\"record\": " << shown.slot << ", \"line\": " << shown.line;
        for (int field = 0; field < kMonsterFieldCount; ++field) {
            const MonsterField& about = kMonsterFields[static_cast<std::size_t>(field)];
            const std::int32_t value = shown.record.Fields[static_cast<std::size_t>(field)];
            out << ", " << JsonString(about.caption) << ": ";
            if (about.names)
                out << "{\"id\": " << value << ", \"name\": " << JsonString(ShownName(*about.names, value)) << "}";
            else
                out << value;
        }
        out << "}";
        separator = ",\n";
    }
    out << (records.empty() ? "]\n" : "\n]\n");
}

} // namespace zuninfo
