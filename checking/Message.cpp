#include "checking/Message.h"

#include <charconv>
#include <cstdint>
#include <vector>

namespace zuninfo {

namespace {

// Where the brace that closes the one at `open` stands.
std::size_t ClosingBrace(std::string_view text, std::size_t open)
{
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == '{')
            ++depth;
        else if (text[i] == '}' && --depth == 0)
            return i;
    }
    return std::string_view::npos;
}

// The alternatives of a choice, split at the '|' that no nested brace holds.
std::vector<std::string_view> Alternatives(std::string_view choices)
{
    std::vector<std::string_view> alternatives;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i] == '{')
            ++depth;
        else if (choices[i] == '}')
            --depth;
        else if (choices[i] == '|' && depth == 0) {
            alternatives.push_back(choices.substr(start, i - start));
            start = i + 1;
        }
    }
    alternatives.push_back(choices.substr(start));
    return alternatives;
}

std::string_view Choose(const std::vector<std::string_view>& alternatives, std::string_view argument)
{
    std::int64_t value = 0;
    std::from_chars(argument.data(), argument.data() + argument.size(), value);
    if (alternatives.size() == 2)
        return alternatives[value == 1 ? 0 : 1];
    const auto last = static_cast<std::int64_t>(alternatives.size()) - 1;
    return alternatives[static_cast<std::size_t>(value < 0 ? 0 : value > last ? last : value)];
}

// `hash`: what '#' stands for at this level (none at the top).
void Format(std::string_view pattern, std::span<const std::string> arguments, const std::string* hash,
            std::string& out)
{
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '#' && hash != nullptr) {
            out += *hash;
            continue;
        }
        const std::size_t close = c == '{' ? ClosingBrace(pattern, i) : std::string_view::npos;
        if (close == std::string_view::npos) {
            out += c;
            continue;
        }
        const std::string_view inside = pattern.substr(i + 1, close - i - 1);
        std::size_t index = 0;
        const auto [end, error] = std::from_chars(inside.data(), inside.data() + inside.size(), index);
        const std::size_t digits = static_cast<std::size_t>(end - inside.data());
        if (error != std::errc() || index >= arguments.size()
            || (digits != inside.size() && inside[digits] != ':')) {
            // Not a placeholder: kept as it stands.
            out.append(pattern.substr(i, close - i + 1));
        } else if (digits == inside.size()) {
            out += arguments[index];
        } else {
            Format(Choose(Alternatives(inside.substr(digits + 1)), arguments[index]), arguments, &arguments[index], out);
        }
        i = close;
    }
}

} // namespace

std::string FormatMessage(std::string_view pattern, std::span<const std::string> arguments)
{
    std::string message;
    Format(pattern, arguments, nullptr, message);
    return message;
}

} // namespace zuninfo
