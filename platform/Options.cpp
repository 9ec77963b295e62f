#include "platform/Options.h"

#include "platform/Ascii.h"

#include <algorithm>

namespace zuninfo {

namespace {

// Where the help of every option starts, and where lines end.
constexpr std::size_t kHelpColumn = 21;
constexpr std::size_t kLineWidth = 79;

std::string Lowered(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = AsciiLower(c);
    return lower;
}

// "label" and then `help`, wrapped, from `column`; on the next line when
// the label reaches it.
void AppendEntry(std::string& out, std::string label, std::string_view help, std::size_t column)
{
    out += label;
    if (label.size() + 1 > column)
        out += "\n" + std::string(column, ' ');
    else
        out.append(column - label.size(), ' ');
    for (const char c : WrappedText(help, kLineWidth - column)) {
        out += c;
        if (c == '\n')
            out.append(column, ' ');
    }
    out += '\n';
}

std::string OneOf(std::span<const OptionChoice> choices)
{
    std::string list;
    for (const OptionChoice& choice : choices)
        list += (list.empty() ? "" : ", ") + std::string(choice.name);
    return list;
}

} // namespace

std::string WrappedText(std::string_view text, std::size_t width)
{
    std::string wrapped;
    std::size_t lineStart = 0;
    while (!text.empty()) {
        const std::size_t wordEnd = std::min(text.find(' '), text.size());
        const std::string_view word = text.substr(0, wordEnd);
        if (wrapped.size() > lineStart && wrapped.size() - lineStart + 1 + word.size() > width) {
            wrapped += '\n';
            lineStart = wrapped.size();
        } else if (wrapped.size() > lineStart) {
            wrapped += ' ';
        }
        wrapped += word;
        text.remove_prefix(std::min(wordEnd + 1, text.size()));
    }
    return wrapped;
}

std::string ParsedOptions::Value(std::string_view name, std::string_view otherwise) const
{
    const auto found = options.find(name);
    return found == options.end() ? std::string(otherwise) : found->second;
}

std::optional<std::string> ParsedOptions::Optional(std::string_view name) const
{
    const auto found = options.find(name);
    return found == options.end() ? std::nullopt : std::optional(found->second);
}

ParsedOptions ParseOptions(const std::vector<std::string>& arguments, std::span<const Option> table)
{
    ParsedOptions parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            parsed.operands.insert(parsed.operands.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                   arguments.end());
            break;
        }
        if (argument.size() < 2 || argument[0] != '-') {
            parsed.operands.push_back(argument);
            continue;
        }
        const bool longForm = argument[1] == '-';
        const std::size_t equals = longForm ? argument.find('=') : std::string::npos;
        const std::string_view written = std::string_view(argument).substr(0, equals);
        const auto option = std::find_if(table.begin(), table.end(), [&](const Option& row) {
            return longForm ? written.substr(2) == row.name : written.size() == 2 && written[1] == row.shortName;
        });
        if (option == table.end())
            throw UsageProblem("unknown option '" + std::string(written) + "'");
        const std::string name = std::string("--") + option->name;
        if (parsed.Has(option->name))
            throw UsageProblem(name + " is given more than once");
        std::string value;
        if (option->valueName == nullptr) {
            if (equals != std::string::npos)
                throw UsageProblem(name + " takes no value");
        } else if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            throw UsageProblem(std::string(written) + " needs a " + Lowered(option->valueName));
        }
        if (!option->choices.empty()
            && std::none_of(option->choices.begin(), option->choices.end(),
                            [&](const OptionChoice& choice) { return value == choice.name; }))
            throw UsageProblem("unknown value '" + value + "' for " + name + "; expected one of: "
                               + OneOf(option->choices));
        parsed.options[option->name] = value;
    }
    return parsed;
}

std::string OptionsHelp(std::span<const Option> table)
{
    std::string help = "Options:\n";
    for (const Option& option : table) {
        std::string label = "  ";
        if (option.shortName != 0)
            label += std::string("-") + option.shortName + ", ";
        label += std::string("--") + option.name;
        if (option.valueName != nullptr)
            label += std::string("=") + option.valueName;
        AppendEntry(help, label, option.help, kHelpColumn);
        // Each value on a line of its own, as the option given it.
        for (const OptionChoice& choice : option.choices)
            AppendEntry(help, std::string("  --") + option.name + "=" + choice.name, choice.help, kHelpColumn);
    }
    AppendEntry(help, "  --", "every argument after it is a file, even one that starts with '-'", kHelpColumn);
    return help;
}

std::string UsageErrorText(std::string_view program, std::string_view usage, std::string_view problem)
{
    return std::string(program) + ": " + std::string(problem) + "\n" + std::string(usage) + "Try '"
           + std::string(program) + " --help'.\n";
}

} // namespace zuninfo
