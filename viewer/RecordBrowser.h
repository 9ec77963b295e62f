#pragma once

#include "platform/FileAccess.h"
#include "platform/TextEncoding.h"
#include "platform/WindowOps.h"

#include <cstdint>
#include <string_view>

// The record on show: a slot of Monsters. 0 at start; a load does not reset it.
extern std::int32_t CurrentIndex;

// Shows slot CurrentIndex: every field in its control (numbers as decimal
// text, ids as the name from their name table), then "Item <CurrentIndex> of
// <LastIndex>" in Label24.
void ShowRecord(WindowOps& window);

// Load: loads the monster info file and, when it could be opened, shows the
// current record.
void LoadAndShow(WindowOps& window, FileAccess& files = SystemFiles());

// Prev and Next: move one record within 0 to LastIndex and show it; at
// either end they do nothing.
void ShowPrevious(WindowOps& window);
void ShowNext(WindowOps& window);

// How a front end reads the bytes it is given for a control: in the encoding
// of the name table whose names the control shows (its item list and its
// text alike), else as UTF-8 (numbers, the item count and messages are
// ASCII).
TextEncoding EncodingOf(std::string_view control);
