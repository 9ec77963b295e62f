#pragma once

#include <string>
#include <vector>

namespace zuninfo {

// The process's arguments after the program's name: as the C library gives
// them; on Windows as UTF-8, from the command line as Windows splits it in
// UTF-16, so that a file of any name can be given.
std::vector<std::string> ProgramArguments(int argc, char** argv);

} // namespace zuninfo
