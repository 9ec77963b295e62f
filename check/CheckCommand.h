#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zuninfo {

// zuninfo-check's command line: the arguments after the program's name;
// writes the report to `out` and usage errors to `err`; gives the exit code.
int RunCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace zuninfo
