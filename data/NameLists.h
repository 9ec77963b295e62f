#pragma once

#include "data/NameListObserver.h"
#include "platform/FileAccess.h"
#include "platform/TextEncoding.h"
#include "platform/WindowOps.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Names for the id fields of a monster record, indexed by id. An id that no
// line of its file names has the empty name. A name is the file's bytes as
// they stand.
extern std::array<std::string, 104> SkinNames;   // "mons.txt"
extern std::array<std::string, 382> SkillNames;  // "skills.txt"
extern std::array<std::string, 95> AttackNames;  // "attacks.txt"

namespace zuninfo {

// How each table's names are shown: UTF-8 when every name in its file is
// valid UTF-8 (an empty or unread file included), else the ANSI code page of
// the user's locale.
extern TextEncoding SkinNamesEncoding;
extern TextEncoding SkillNamesEncoding;
extern TextEncoding AttackNamesEncoding;

// The three lists, in the order they are read.
enum class NameList { Skins, Skills, Attacks };
inline constexpr std::array<NameList, 3> kNameLists{NameList::Skins, NameList::Skills, NameList::Attacks};

// A list's file name ("mons.txt", "skills.txt", "attacks.txt"), its table
// and how its names are shown.
const char* NameListFileName(NameList list);
std::span<const std::string> NameTable(NameList list);
TextEncoding NameListEncoding(NameList list);

// The name the list gives an id: empty for an id that no line named, and for
// one outside the table.
std::string NameOfId(NameList list, std::int32_t id);

// The combo boxes whose item lists show a list's names: the window knows
// which they are.
using ItemLists = std::span<const std::string_view>;
using ItemListsOf = ItemLists (*)(NameList list);

} // namespace zuninfo

// Reads "mons.txt", "skills.txt" and "attacks.txt" from the current folder
// into the name tables and into the item lists that `itemListsOf` gives for
// each.
//
// Each line of a list is an id, one ' ' or ':', a name, CR LF. A later line
// for the same id replaces the earlier name in the table; every name is added
// to the item lists. A line whose id lies outside its table still adds its
// name to the item lists.
//
// A file that cannot be opened shows "File not found" and ends the call: the
// lists after it are not read. An id that is not a number raises an
// Exception whose message names the file and the line.
void LoadNameLists(zuninfo::WindowOps& window, zuninfo::FileAccess& files, zuninfo::ItemListsOf itemListsOf);

namespace zuninfo {

// Reads one of the lists as LoadNameLists does; false, after "File not
// found", when its file cannot be opened. An observer, when given, is told of
// every line and of the id that ends the load, and decides how much of each
// name the table keeps.
bool LoadNameList(NameList list, WindowOps& window, FileAccess& files, ItemLists itemLists,
                  NameListObserver* observer = nullptr);

} // namespace zuninfo
