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

namespace zuninfo {

// Where a load puts what it reads: the records, the index of the last one,
// and the open attempts spent. The viewer's are Monsters, LastIndex and
// OpenAttempt; a file read back before it is saved gets a store of its own,
// so that the records on show stay as they are.
struct MonsterStore {
    std::array<MonsterRecord, kMonsterSlots>& records;
    std::int32_t& lastIndex;
    std::int32_t& openAttempt;
};

// A store of its own, with room for every record.
struct OwnMonsterStore {
    std::array<MonsterRecord, kMonsterSlots> records{};
    std::int32_t lastIndex = 0;
    std::int32_t openAttempt = 0;
    MonsterStore Store() { return {records, lastIndex, openAttempt}; }
};

// The viewer's store.
MonsterStore ViewerStore();

} // namespace zuninfo

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

// The same into another store: its records, last index and open attempts
// take the parts of Monsters, LastIndex and OpenAttempt.
bool LoadMonsterInfo(zuninfo::WindowOps& window, zuninfo::FileAccess& files, zuninfo::MonsterInfoObserver* observer,
                     const zuninfo::MonsterStore& store);
