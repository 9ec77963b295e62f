#pragma once

#include <filesystem>
#include <string>

namespace zuninfo {

// A path the user named as this system's path: on Windows read as UTF-8.
// (Kept out of the viewer, where std::filesystem on Windows would bring the
// C++ library's locale machinery into the program.)
std::filesystem::path NamedPath(const std::string& path);

// The other way: a system's path as the tools take the paths a user names,
// UTF-8 on every system.
std::string NamedPathText(const std::filesystem::path& path);

// Whether two paths a user named name the same file (or would, once made);
// compared as written where either cannot be resolved.
bool SameFile(const std::string& a, const std::string& b);

} // namespace zuninfo
