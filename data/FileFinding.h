#pragma once

#include "data/NameLists.h"
#include "platform/Options.h"

#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zuninfo {

// Where the viewer and the tools find the data files: one rule for all.

// The option that names the name lists' folder.
inline constexpr Option kListsOption{"lists", 0, "FOLDER", "read the name lists from FOLDER"};

// Throws UsageProblem where `folder`, as --lists gives it, is no folder.
void RequireListsFolder(const std::string& folder);

// The list whose file has this name as the loaders ask for it ("mons.txt").
std::optional<NameList> ListOfFileName(std::string_view name);

// Opens a name list where the viewer and the tools find it: in `listsFolder`
// when one is given, and nowhere else; otherwise in the current folder, and
// where it cannot be read there, beside the first of `monsterFiles` that has
// it (paths as the user named them). The list's name is found as the program
// finds its own: where no file has exactly that name, one whose name differs
// only in ASCII case. `path` receives the place it was read from, or, where
// it can be read nowhere, the first place looked in.
std::FILE* OpenNameList(NameList list, const std::optional<std::string>& listsFolder,
                        std::span<const std::string> monsterFiles, std::string& path);

// The path OpenNameList reads the list from.
std::string NameListPath(NameList list, const std::optional<std::string>& listsFolder,
                         std::span<const std::string> monsterFiles);

// The monster file where none is named: the fixed path, mapped onto this
// system as Load maps it. (One named is read at its path as it stands.)
std::string FixedMonsterFilePath();

} // namespace zuninfo
