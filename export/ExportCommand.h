#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zuninfo {

// zuninfo-export's command line: the arguments after the program's name.
// Writes the records to `out` (or the file -o names), findings and usage
// errors to `err`; gives the exit code.
int RunExportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace zuninfo
