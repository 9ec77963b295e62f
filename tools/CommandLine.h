#pragma once

#include "checking/ExitCodes.h"
#include "platform/Options.h"
#include "save/NamedPath.h"

#include <filesystem>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zuninfo {


// Options that several tools take.
inline constexpr Option kJsonOption{"json", 0, nullptr, "the same as --format=json"};

// The form of output --format chose, or --json; `otherwise` where neither
// is given.
std::string ChosenFormat(const ParsedOptions& parsed, std::string_view otherwise);

// A tool as its user meets it: its name, usage line, what it does, its own
// options, and what its exit codes 0 and 1 mean; from these, its --help,
// --version and usage errors. Every tool takes --lists, --help and
// --version besides its own options.
struct Tool {
    std::string_view name;
    std::string_view synopsis; // its arguments, after its name on the usage line
    std::span<const std::string_view> about; // what it does, between the usage line and the options
    std::span<const Option> options;
    std::string_view zeroMeans; // "0 when ..."
    std::string_view oneMeans;  // "1 when ..."

    // Throws UsageProblem.
    ParsedOptions Parse(const std::vector<std::string>& arguments) const;
    std::string Usage() const;
    std::string Help() const;
    // Says the problem on `err`; gives kExitTrouble.
    int UsageError(std::ostream& err, std::string_view problem) const;
    // Writes the help text for --help, or "NAME VERSION" for --version, on
    // `out`; true when the arguments asked for one of them.
    bool AnsweredHelpOrVersion(const ParsedOptions& parsed, std::ostream& out) const;
};

// The tools' version, as the build gives it.
const char* ToolsVersion();

// A tool's command line, from the arguments after the program's name to the
// exit code, writing to standard output and standard error.
using ToolRun = int (*)(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// The program's entry for a tool: runs it on the process's arguments, with
// every write to standard output checked. Output that cannot be written (a
// full disk, a closed output) is said on standard error and gives exit code
// 2; a reader that stops reading ends the tool quietly, as a broken pipe
// ends other tools. So does an error that leaves the tool (nothing it
// expects): said, and exit code 2.
int ToolMain(int argc, char** argv, std::string_view tool, ToolRun run);

} // namespace zuninfo
