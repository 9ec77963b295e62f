#pragma once

#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zuninfo {

// The options of a program's command line, each described once in a table
// from which the parse, the Options block of --help and the usage errors are
// made, worded alike for the viewer and every tool.

// One value an option takes, and what it means.
struct OptionChoice {
    const char* name;
    const char* help;
};

// One row of the table.
struct Option {
    const char* name;      // the long name, without its dashes: "--name"
    char shortName;        // "-s"; 0: none
    const char* valueName; // "--name=VALUE" or "--name VALUE"; nullptr: it takes no value
    const char* help;      // its help, wrapped where it is shown
    std::span<const OptionChoice> choices = {}; // the values it takes; empty: any
};

// The rows every program has.
inline constexpr Option kHelpOption{"help", 'h', nullptr, "this text"};
inline constexpr Option kVersionOption{"version", 0, nullptr, "the program's name and version"};

// A mistake on the command line; what() says what it is.
class UsageProblem : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// The options given, by name (an option without a value maps to ""), and the
// operands, in order.
struct ParsedOptions {
    std::map<std::string, std::string, std::less<>> options;
    std::vector<std::string> operands;

    bool Has(std::string_view name) const { return options.contains(name); }
    // The option's value; `otherwise` when it was not given.
    std::string Value(std::string_view name, std::string_view otherwise = {}) const;
    std::optional<std::string> Optional(std::string_view name) const;
};

// Reads the arguments after the program's name: "--name", "--name=value",
// "--name value", "-s", "-s value"; "--" ends the options, and "-" alone is
// an operand. Throws UsageProblem for an option that is not in the table,
// one given twice, one that lacks its value or has one it does not take, and
// a value that is not one of its choices.
ParsedOptions ParseOptions(const std::vector<std::string>& arguments, std::span<const Option> table);

// The Options block of --help: a line for each row with its help and
// choices, and one for "--".
std::string OptionsHelp(std::span<const Option> table);

// The words of `text` in lines of at most `width` characters (a longer word
// has a line of its own), joined by '\n'.
std::string WrappedText(std::string_view text, std::size_t width);

// A usage mistake as every program says it, on standard error: the program,
// the problem, its usage line and where to read more.
std::string UsageErrorText(std::string_view program, std::string_view usage, std::string_view problem);

} // namespace zuninfo
