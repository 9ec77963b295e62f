#include "viewer/RecordBrowser.h"

#include "data/MonsterInfo.h"
#include "data/NameLists.h"
#include "platform/Conversions.h"
#include "viewer/MonsterFields.h"

#include <optional>
#include <span>
#include <string>

std::int32_t CurrentIndex = 0;

namespace {

// The name of an id; empty for an id outside the table.
std::string NameOf(std::span<const std::string> table, std::int32_t id)
{
    if (id < 0 || static_cast<std::size_t>(id) >= table.size())
        return {};
    return table[static_cast<std::size_t>(id)];
}

std::string FieldText(FieldShown shown, std::int32_t value)
{
    if (const std::optional<NameList> list = NameListOf(shown))
        return NameOf(NameTable(*list), value);
    return IntToStr(value);
}

} // namespace

TextEncoding EncodingOf(std::string_view control)
{
    for (const MonsterField& field : kMonsterFields) {
        if (control != field.control)
            continue;
        if (const std::optional<NameList> list = NameListOf(field.shown))
            return NameListEncoding(*list);
    }
    return TextEncoding::Utf8;
}

void ShowRecord(WindowOps& window)
{
    const MonsterRecord& record = Monsters.at(static_cast<std::size_t>(CurrentIndex));
    for (std::size_t field = 0; field < kMonsterFields.size(); ++field) {
        const MonsterField& shown = kMonsterFields[field];
        window.SetText(shown.control, FieldText(shown.shown, record.Fields[field]));
    }
    window.SetText("Label24", "Item " + IntToStr(CurrentIndex) + " of " + IntToStr(LastIndex));
}

void LoadAndShow(WindowOps& window, FileAccess& files)
{
    if (LoadMonsterInfo(window, files))
        ShowRecord(window);
}

void ShowPrevious(WindowOps& window)
{
    if (CurrentIndex > 0) {
        --CurrentIndex;
        ShowRecord(window);
    }
}

void ShowNext(WindowOps& window)
{
    if (CurrentIndex < LastIndex) {
        ++CurrentIndex;
        ShowRecord(window);
    }
}
