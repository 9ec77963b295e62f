#pragma once

#include "data/MonsterInfoObserver.h"
#include "platform/FileAccess.h"
#include "platform/WindowOps.h"

#include <array>
#include <cstdint>
#include <string>

// The monster info file: one monster per line, 23 integers a line. What
// each field is: data/MonsterFields.h.

#ifndef ZUNINFO_MONSTER_SLOTS
#define ZUNINFO_MONSTER_SLOTS 500
#endif

namespace zuninfo {

inline constexpr int kMonsterFieldCount = 23;

// How many records the store holds. A fuzz build may make it smaller so that
// a full store is reached with small inputs.
inline constexpr int kMonsterSlots = ZUNINFO_MONSTER_SLOTS;

// The formatted path for one open attempt, with every space turned into '0'.
std::string MonsterInfoPath(std::int32_t attempt);

} // namespace zuninfo

struct MonsterRecord {
    std::array<std::int32_t, zuninfo::kMonsterFieldCount> Fields{};
};

// The record store, filled once per process by LoadMonsterInfo: records of
// the file in consecutive slots from slot 0; every field of every other slot
// is 0.
extern std::array<MonsterRecord, zuninfo::kMonsterSlots> Monsters;

// After a load: the index of the last record read, -1 when the file held
// none. 0 before any load.
extern std::int32_t LastIndex;

// How many extra open attempts have been spent so far; only ever grows, up
// to 500.
extern std::int32_t OpenAttempt;

// Where the monster info file is looked for (a format string with no
// conversion in it; formatted with OpenAttempt on each attempt).
extern const char MonsterInfoPathTemplate[];

// The Load command's work. Opens the monster info file (the first failing
// Load of a process tries 501 times, every later one once) and, when that
// gives up, shows "File not found" and returns false with nothing changed.
// Otherwise parses the file into Monsters under the busy cursor, then in this
// order sets the default cursor, closes the file, disables Button1 and makes
// LastIndex the index of the last record, and returns true. A malformed
// token ends the parse silently; the records before it stay, and the fields
// of the bad line already read stay in its slot.
//
// An observer, when given, is told where each record stands, why the parse
// ended, and which record lines it never read; the store ends the same.
// Memory running out (std::bad_alloc) is then thrown on, the file closed.
bool LoadMonsterInfo(zuninfo::WindowOps& window, zuninfo::FileAccess& files = zuninfo::SystemFiles(),
                     zuninfo::MonsterInfoObserver* observer = nullptr);
