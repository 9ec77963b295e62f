#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A zip file of these parts (name, bytes), made with minizip in `scratch`:
// deflated, or stored where `stored`.
std::string ZipOfParts(const std::vector<std::pair<std::string, std::string_view>>& parts, const std::string& scratch,
                       bool stored = false);
