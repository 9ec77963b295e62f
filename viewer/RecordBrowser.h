#pragma once

#include "platform/FileAccess.h"
#include "platform/WindowOps.h"

#include <cstdint>

// What the viewer does on its window: reads the name lists into it when it
// is made, and Load, Prev and Next.

// The record on show: a slot of Monsters. 0 at start; a load does not reset it.
extern std::int32_t CurrentIndex;

// Reads the three name lists (see data/NameLists.h) into the name tables and
// into the item lists of the combo boxes that show each list's names.
void LoadNameLists(zuninfo::WindowOps& window, zuninfo::FileAccess& files = zuninfo::SystemFiles());

// Shows slot CurrentIndex: every field in its control (numbers as decimal
// text, ids as the name from their name table), then "Item <CurrentIndex> of
// <LastIndex>" in Label24.
void ShowRecord(zuninfo::WindowOps& window);

namespace zuninfo {

// Load: loads the monster info file and, when it could be opened, shows the
// current record. True when it was read.
bool LoadAndShow(WindowOps& window, FileAccess& files = SystemFiles());

// Prev and Next: move one record within 0 to LastIndex and show it; at
// either end they do nothing.
void ShowPrevious(WindowOps& window);
void ShowNext(WindowOps& window);

// A record chosen in the table of all monsters (a slot from 0 to
// LastIndex): shown exactly as Prev and Next would show it on reaching it.
// Any other slot shows nothing.
void ShowChosenRecord(WindowOps& window, std::int32_t slot);

} // namespace zuninfo
