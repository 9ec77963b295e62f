#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A zip file of these parts (name, bytes), made in memory with minizip:
// deflated, or stored where `stored`.
std::string ZipOfParts(const std::vector<std::pair<std::string, std::string_view>>& parts, bool stored = false);
