#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zuninfo {

// What a text typed into a cell means: the value it takes, or why it is
// refused, in words for the status line.
struct CellInput {
    std::optional<std::int32_t> value;
    std::string refusal;

    static CellInput Taken(std::int32_t value) { return {value, {}}; }
    static CellInput Refused(std::string why) { return {std::nullopt, std::move(why)}; }
};

// A number cell's text, read as the viewer reads a number (StrToInt): an
// optional sign and digits, a signed 32-bit value; else refused in
// StrToInt's own words, the text shown in part when long.
CellInput ReadNumber(std::string_view text);

} // namespace zuninfo
