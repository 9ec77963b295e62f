#include "exchange/RecordColumns.h"

#include "platform/Ascii.h"
#include "save/NamedPath.h"

#include <algorithm>

namespace zuninfo {

std::optional<RecordFormat> FormatNamed(std::string_view name)
{
    if (name == "csv")
        return RecordFormat::Csv;
    if (name == "tsv")
        return RecordFormat::Tsv;
    if (name == "json")
        return RecordFormat::Json;
    if (name == "xlsx")
        return RecordFormat::Xlsx;
    if (name == "ods")
        return RecordFormat::Ods;
    return std::nullopt;
}

std::optional<RecordFormat> FormatOfName(const std::string& path)
{
    std::string extension = NamedPathText(NamedPath(path).extension());
    std::transform(extension.begin(), extension.end(), extension.begin(), AsciiLower<char>);
    if (extension == ".txt")
        return RecordFormat::Csv;
    return extension.empty() ? std::nullopt : FormatNamed(extension.substr(1));
}

std::string ColumnCaption(const RecordColumn& column)
{
    const MonsterField& field = kMonsterFields[static_cast<std::size_t>(column.field)];
    return std::string(field.caption) + (field.names && !column.isName ? " id" : "");
}

bool LooksLikeFormula(std::string_view name)
{
    return !name.empty() && std::string_view("=+-@\t\r").find(name.front()) != std::string_view::npos;
}

std::string GuardedName(std::string_view name)
{
    return LooksLikeFormula(name) ? "'" + std::string(name) : std::string(name);
}

bool CellHoldsName(std::string_view cell, std::string_view name)
{
    return cell == name || (LooksLikeFormula(name) && cell.size() == name.size() + 1 && cell.front() == '\''
                            && cell.substr(1) == name);
}

} // namespace zuninfo
