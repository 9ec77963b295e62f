#include "viewer/RecordBrowser.h"

#include "data/MonsterInfo.h"
#include "data/NameLists.h"
#include "platform/Conversions.h"

#include <array>
#include <cstdio>
#include <span>
#include <string>

std::int32_t CurrentIndex = 0;

namespace {

enum class Shown { Number, SkinName, AttackName, SkillName };

struct FieldControl {
    const char* control;
    Shown shown;
};

// Where each field of a record is shown, in field order.
constexpr std::array<FieldControl, kMonsterFieldCount> kFieldControls{{
    {"Edit1", Shown::Number},          //  0 Index
    {"ComboBox1", Shown::SkinName},    //  1 Skin
    {"Edit2", Shown::Number},          //  2 Line of Sight
    {"Edit3", Shown::Number},          //  3 Walk Speed
    {"Edit4", Shown::Number},          //  4 1st Attack Range
    {"Edit5", Shown::Number},          //  5 2nd Attack Range
    {"Edit6", Shown::Number},          //  6 1st Attack wait time
    {"Edit7", Shown::Number},          //  7 2nd Attack wait time
    {"ComboBox4", Shown::AttackName},  //  8 1st Attack Animation
    {"ComboBox5", Shown::AttackName},  //  9 2nd Attack Animation
    {"ComboBox2", Shown::SkillName},   // 10 Skill 1
    {"ComboBox3", Shown::SkillName},   // 11 Skill 2
    {"Edit12", Shown::Number},         // 12 1st Skill wait time
    {"Edit13", Shown::Number},         // 13 2nd Skill wait time
    {"Edit14", Shown::Number},         // 14 Str
    {"Edit8", Shown::Number},          // 15 Spr
    {"Edit9", Shown::Number},          // 16 Dex
    {"Edit10", Shown::Number},         // 17 Pow
    {"Edit11", Shown::Number},         // 18 Experience
    {"Edit15", Shown::Number},         // 19 Direction1
    {"Edit16", Shown::Number},         // 20 Direction2
    {"Edit17", Shown::Number},         // 21 Honor
    {"Edit18", Shown::Number},         // 22 Fly
}};

// The name of an id; empty for an id outside the table.
std::string NameOf(std::span<const std::string> table, std::int32_t id)
{
    if (id < 0 || static_cast<std::size_t>(id) >= table.size())
        return {};
    return table[static_cast<std::size_t>(id)];
}

std::string FieldText(Shown shown, std::int32_t value)
{
    switch (shown) {
    case Shown::SkinName: return NameOf(SkinNames, value);
    case Shown::AttackName: return NameOf(AttackNames, value);
    case Shown::SkillName: return NameOf(SkillNames, value);
    case Shown::Number: break;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%i", value);
    return text;
}

} // namespace

void ShowRecord(WindowOps& window)
{
    const MonsterRecord& record = Monsters.at(static_cast<std::size_t>(CurrentIndex));
    for (std::size_t field = 0; field < kFieldControls.size(); ++field) {
        const FieldControl& target = kFieldControls[field];
        window.SetText(target.control, FieldText(target.shown, record.Fields[field]));
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

void ResetRecordBrowser()
{
    CurrentIndex = 0;
}
