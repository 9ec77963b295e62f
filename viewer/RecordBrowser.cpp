#include "viewer/RecordBrowser.h"

#include "data/MonsterInfo.h"
#include "data/NameLists.h"
#include "platform/Conversions.h"
#include "viewer/MonsterFields.h"

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
    switch (shown) {
    case FieldShown::SkinName: return NameOf(SkinNames, value);
    case FieldShown::AttackName: return NameOf(AttackNames, value);
    case FieldShown::SkillName: return NameOf(SkillNames, value);
    case FieldShown::Number: break;
    }
    return IntToStr(value);
}

} // namespace

TextEncoding EncodingOf(std::string_view control)
{
    for (const MonsterField& field : kMonsterFields) {
        if (control != field.control)
            continue;
        switch (field.shown) {
        case FieldShown::SkinName: return SkinNamesEncoding;
        case FieldShown::AttackName: return AttackNamesEncoding;
        case FieldShown::SkillName: return SkillNamesEncoding;
        case FieldShown::Number: break;
        }
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
