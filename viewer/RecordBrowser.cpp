#include "viewer/RecordBrowser.h"

#include "data/MonsterFields.h"
#include "data/MonsterInfo.h"
#include "data/NameLists.h"
#include "platform/Conversions.h"
#include "viewer/FormLayout.h"

#include <string>

std::int32_t CurrentIndex = 0;

void LoadNameLists(zuninfo::WindowOps& window, zuninfo::FileAccess& files)
{
    LoadNameLists(window, files, zuninfo::ComboBoxesShowing);
}

void ShowRecord(zuninfo::WindowOps& window)
{
    using namespace zuninfo;
    const MonsterRecord& record = Monsters.at(static_cast<std::size_t>(CurrentIndex));
    for (int field = 0; field < kMonsterFieldCount; ++field) {
        const std::int32_t value = record.Fields[static_cast<std::size_t>(field)];
        const std::optional<NameList> names = kMonsterFields[static_cast<std::size_t>(field)].names;
        window.SetText(InputOf(field), names ? NameOfId(*names, value) : IntToStr(value));
    }
    window.SetText("Label24", "Item " + IntToStr(CurrentIndex) + " of " + IntToStr(LastIndex));
}

namespace zuninfo {

bool LoadAndShow(WindowOps& window, FileAccess& files)
{
    if (!LoadMonsterInfo(window, files))
        return false;
    ShowRecord(window);
    return true;
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

void ShowChosenRecord(WindowOps& window, std::int32_t slot)
{
    if (slot >= 0 && slot <= LastIndex) {
        CurrentIndex = slot;
        ShowRecord(window);
    }
}

} // namespace zuninfo
