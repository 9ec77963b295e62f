#pragma once

#include "data/MonsterInfo.h"
#include "data/NameLists.h"

#include <array>
#include <optional>

// How the window shows a field's value: as a number, or as the name that
// its id has in one of the name tables.
enum class FieldShown { Number, SkinName, AttackName, SkillName };

// The name list whose names a field shows; none for a number.
constexpr std::optional<NameList> NameListOf(FieldShown shown)
{
    switch (shown) {
    case FieldShown::SkinName: return NameList::Skins;
    case FieldShown::AttackName: return NameList::Attacks;
    case FieldShown::SkillName: return NameList::Skills;
    case FieldShown::Number: break;
    }
    return std::nullopt;
}

struct MonsterField {
    const char* caption; // the field's name, and the caption of its label
    const char* control; // the edit box (numbers) or combo box (names) that shows it
    FieldShown shown;
};

// The fields of a monster record, in the order they stand on a line of the
// monster info file. The record browser fills the controls from it, and the
// window's layout takes its captions and input controls from it.
// clang-format off
inline constexpr std::array<MonsterField, kMonsterFieldCount> kMonsterFields{{
    {"Index",                "Edit1",     FieldShown::Number},     //  0 the monster's number, as in Zun00XXX.qdf
    {"Skin",                 "ComboBox1", FieldShown::SkinName},   //  1
    {"Line of Sight",        "Edit2",     FieldShown::Number},     //  2
    {"Walk Speed",           "Edit3",     FieldShown::Number},     //  3 higher is slower; 0 = stationary
    {"1st Attack Range",     "Edit4",     FieldShown::Number},     //  4
    {"2nd Attack Range",     "Edit5",     FieldShown::Number},     //  5
    {"1st Attack wait time", "Edit6",     FieldShown::Number},     //  6
    {"2nd Attack wait time", "Edit7",     FieldShown::Number},     //  7
    {"1st Attack Animation", "ComboBox4", FieldShown::AttackName}, //  8
    {"2nd Attack Animation", "ComboBox5", FieldShown::AttackName}, //  9
    {"Skill 1",              "ComboBox2", FieldShown::SkillName},  // 10
    {"Skill 2",              "ComboBox3", FieldShown::SkillName},  // 11
    {"1st Skill wait time",  "Edit12",    FieldShown::Number},     // 12
    {"2nd Skill wait time",  "Edit13",    FieldShown::Number},     // 13
    {"Str",                  "Edit14",    FieldShown::Number},     // 14
    {"Spr",                  "Edit8",     FieldShown::Number},     // 15
    {"Dex",                  "Edit9",     FieldShown::Number},     // 16
    {"Pow",                  "Edit10",    FieldShown::Number},     // 17
    {"Experience",           "Edit11",    FieldShown::Number},     // 18
    {"Direction1",           "Edit15",    FieldShown::Number},     // 19
    {"Direction2",           "Edit16",    FieldShown::Number},     // 20
    {"Honor",                "Edit17",    FieldShown::Number},     // 21
    {"Fly",                  "Edit18",    FieldShown::Number},     // 22
}};
// clang-format on
