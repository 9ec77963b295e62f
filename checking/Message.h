#pragma once

#include <span>
#include <string>
#include <string_view>

namespace zuninfo {

// Fills a message template with its arguments, as the finding kinds' table
// words them:
//   {N}            argument N as it stands
//   {N:a|b}        a when argument N is the number 1, else b (one, other)
//   {N:a|b|c...}   the alternative at argument N's value, the last for any
//                  larger one (zero, one, other, ...)
// Inside an alternative, '#' stands for argument N, and {M} placeholders may
// be nested. Argument texts are never read as templates.
std::string FormatMessage(std::string_view pattern, std::span<const std::string> arguments);

} // namespace zuninfo
