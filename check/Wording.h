#pragma once

#include <cstdint>
#include <string>

// Pieces of the messages that both kinds of file share.

// "1 record line", "2 record lines".
std::string Counted(std::int64_t count, const char* singular, const char* plural);

// A name from a list as a message shows it: quoted, control bytes and bytes
// from 128 up made visible, a long name cut short with its length.
std::string QuotedName(const std::string& name);

// A CR whose next byte the loaders skip although it is not LF.
std::string LoneCrMessage(unsigned char skipped);

// A file that cannot be opened; `viewer` says what the viewer then does.
std::string UnreadableMessage(const std::string& viewer);
