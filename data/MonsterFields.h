#pragma once

#include "data/MonsterInfo.h"
#include "data/NameLists.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zuninfo {

// What each field of a monster record is: its name, and whether its value is
// a plain number or an id that one of the name lists gives a name.
struct MonsterField {
    const char* caption;           // the field's name, and the caption of its label in the window
    std::optional<NameList> names; // for an id, the list that names it; none for a number
    // What the field means, where it is said: the hint of its input in the
    // window, and the note on its column's header in the xlsx export.
    const char* hint = nullptr;
};

// The fields of a monster record, in the order they stand on a line of the
// monster info file.
// clang-format off
inline constexpr std::array<MonsterField, kMonsterFieldCount> kMonsterFields{{
    {"Index",                std::nullopt,     //  0 the monster's number, as in Zun00XXX.qdf
     "The number to identify the monster by. Used in the Zun00XXX.qdf files"},
    {"Skin",                 NameList::Skins,  //  1
     "What the monster looks like"},
    {"Line of Sight",        std::nullopt,     //  2
     "How far away a monster sees you."},
    {"Walk Speed",           std::nullopt,     //  3 higher is slower; 0 = stationary
     "How fast the monster walks. The higher the number the slower it goes. 0 = stationary."},
    {"1st Attack Range",     std::nullopt,     //  4
     "The range of the first Melee attack."},
    {"2nd Attack Range",     std::nullopt,     //  5
     "The range of the Second Melee attack."},
    {"1st Attack wait time", std::nullopt,     //  6
     "How long to wait after this attack is used before another attack or skill can be made."},
    {"2nd Attack wait time", std::nullopt,     //  7
     "The same as Att1Int except for the second attack"},
    {"1st Attack Animation", NameList::Attacks}, //  8
    {"2nd Attack Animation", NameList::Attacks}, //  9
    {"Skill 1",              NameList::Skills},  // 10
    {"Skill 2",              NameList::Skills},  // 11
    {"1st Skill wait time",  std::nullopt},      // 12
    {"2nd Skill wait time",  std::nullopt},      // 13
    {"Str",                  std::nullopt},      // 14
    {"Spr",                  std::nullopt},      // 15
    {"Dex",                  std::nullopt},      // 16
    {"Pow",                  std::nullopt},      // 17
    {"Experience",           std::nullopt},      // 18
    {"Direction1",           std::nullopt},      // 19
    {"Direction2",           std::nullopt},      // 20
    {"Honor",                std::nullopt},      // 21
    {"Fly",                  std::nullopt},      // 22
}};
// clang-format on

// An id with the name its list gives it, as the table of all monsters and the
// tools show it: "Orc Chief (4)", or "(99)" for an id without a name.
inline std::string IdWithName(std::string_view name, std::int32_t id)
{
    std::string text(name);
    if (!text.empty())
        text += ' ';
    return text + "(" + std::to_string(id) + ")";
}

} // namespace zuninfo
