#pragma once

#include <filesystem>
#include <map>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zuninfo {

// An option a command-line tool takes: "--name", "--name=value" or
// "--name value" when it takes a value, and "-s" for its short form.
struct Option {
    const char* name;      // without the dashes
    char shortName;        // 0: none
    bool takesValue;
};

// The options given (by name; an option without a value maps to "") and the
// operands, in order. "--" ends the options. Throws std::invalid_argument
// naming an unknown option or one that misses its value.
struct Arguments {
    std::map<std::string, std::string, std::less<>> options;
    std::vector<std::string> operands;

    bool Has(std::string_view name) const { return options.contains(name); }
};
Arguments ParseArguments(const std::vector<std::string>& arguments, std::span<const Option> options);

// A path the user named as this system's path: on Windows read as UTF-8.
// (Kept out of the viewer, where std::filesystem on Windows would bring the
// C++ library's locale machinery into the program.)
std::filesystem::path NamedPath(const std::string& path);

// "TOOL: PROBLEM", then where to read more, on `err`; gives exit code 2.
int UsageError(std::ostream& err, std::string_view tool, std::string_view problem);

// Writes the help text for "help", or "TOOL VERSION" for "version", on
// `out`; true when the arguments asked for one of them.
bool AnswerHelpOrVersion(const Arguments& arguments, std::string_view tool, std::string_view help, std::ostream& out);

// The tools' version, as the build gives it.
const char* ToolsVersion();

// A tool's command line, from the arguments after the program's name to the
// exit code, writing to standard output and standard error.
using ToolRun = int (*)(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// The program's entry for a tool: runs it on the process's arguments. An
// error that leaves it (nothing the tool expects) is said on standard error
// and ends the tool with `failureCode`.
int ToolMain(int argc, char** argv, std::string_view tool, ToolRun run, int failureCode);

} // namespace zuninfo
