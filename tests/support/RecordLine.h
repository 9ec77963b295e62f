#pragma once

#include <string>

// A record line of the monster file: Index, Skin and Str as given, every
// other field 0, spaces between, CR LF after.
inline std::string RecordLine(int index, int skin, int str)
{
    std::string line = std::to_string(index) + " " + std::to_string(skin);
    for (int field = 2; field < 23; ++field)
        line += " " + std::to_string(field == 14 ? str : 0);
    return line + "\r\n";
}
