#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zuninfo {

// zuninfo-import's command line: the arguments after the program's name.
// Reads EDITED ("-": standard input), says the changes on `out` (or writes
// the new monster file where -o or --in-place says), and refusals and usage
// errors on `err`; gives the exit code (0 nothing would change or written as
// asked, 1 a dry run finds changes, 2 trouble).
int RunImportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace zuninfo
