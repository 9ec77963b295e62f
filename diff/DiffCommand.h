#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zuninfo {

// zuninfo-diff's command line: the arguments after the program's name.
// Writes the comparison to `out`, usage errors and unreadable files to
// `err`; gives the exit code (0 same, 1 different, 2 trouble).
int RunDiffCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace zuninfo
