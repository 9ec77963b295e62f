#pragma once

#include <string>
#include <string_view>

namespace zuninfo {

// A JSON string, quotes included. Text that is not UTF-8 (a file name, say)
// is made visible first, so that the output is always valid JSON.
std::string JsonString(std::string_view text);

} // namespace zuninfo
