#include "export/RecordFormats.h"

#include "check/JsonText.h"
#include "data/MonsterFields.h"

#include <string>

namespace zuninfo {

namespace {

// One record's cells in column order, each already written for the format.
template <typename Name>
std::vector<std::string> Cells(const ShownRecord& shown, Name name)
{
    std::vector<std::string> cells;
    for (int field = 0; field < kMonsterFieldCount; ++field) {
        const std::int32_t value = shown.record.Fields[static_cast<std::size_t>(field)];
        if (const std::optional<NameList> list = kMonsterFields[static_cast<std::size_t>(field)].names)
            cells.push_back(name(ShownName(*list, value)));
        cells.push_back(std::to_string(value));
    }
    return cells;
}

std::vector<std::string> Header()
{
    std::vector<std::string> header;
    for (const MonsterField& field : kMonsterFields) {
        header.emplace_back(field.caption);
        if (field.names)
            header.push_back(std::string(field.caption) + " id");
    }
    return header;
}

void WriteRow(const std::vector<std::string>& cells, char separator, std::string_view lineEnd, std::ostream& out)
{
    for (std::size_t i = 0; i < cells.size(); ++i)
        out << (i ? std::string(1, separator) : std::string()) << cells[i];
    out << lineEnd;
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string TsvField(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '\\': escaped += "\\\\"; break;
        case '\t': escaped += "\\t"; break;
        case '\r': escaped += "\\r"; break;
        case '\n': escaped += "\\n"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

template <typename Escape>
void WriteTable(const std::vector<ShownRecord>& records, char separator, std::string_view lineEnd, Escape escape,
                std::ostream& out)
{
    std::vector<std::string> header = Header();
    for (std::string& caption : header)
        caption = escape(caption);
    WriteRow(header, separator, lineEnd, out);
    for (const ShownRecord& record : records)
        WriteRow(Cells(record, escape), separator, lineEnd, out);
}

} // namespace

void WriteCsv(const std::vector<ShownRecord>& records, std::ostream& out)
{
    WriteTable(records, ',', "\r\n", CsvField, out);
}

void WriteTsv(const std::vector<ShownRecord>& records, std::ostream& out)
{
    WriteTable(records, '\t', "\n", TsvField, out);
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
