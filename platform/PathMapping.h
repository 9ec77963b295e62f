#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zuninfo {

// The program names its data files the Windows way: the monster info file by
// an absolute path on drive C:, the name lists by bare file names. These
// functions turn such a name into a path on this platform.

// Maps a Windows-style path onto a local path. On Windows the path is used as
// it stands. Elsewhere drive C: (or c:) is the Wine C: drive of the user,
// `<home>/.wine/drive_c`, any other drive X: is `<home>/.wine/dosdevices/x:`,
// and every backslash becomes '/'; a path without a drive letter stays
// relative. Example: "C:\projects\bin\x.qdf" with home "/home/ann" gives
// "/home/ann/.wine/drive_c/projects/bin/x.qdf".
std::string MapWindowsPath(std::string_view windowsPath, const std::string& home);

// The user's home folder: HOME, or the password database when HOME is unset
// or empty; an empty string when neither knows. On Windows, USERPROFILE.
std::string HomeFolder();

// Files that came from Windows often differ in case from the names the
// program uses. Resolves each component of the path: an exact match first
// (anything at that name, a dangling symlink included), and only where none
// exists, an ASCII case-insensitive match among the entries of that folder
// (the first in byte order when several match; only A-Z/a-z fold). A
// component with no match at all is kept as given, as is everything after
// it, so the result names a path that does not exist. "." and ".." are kept
// as they are; a relative path is looked up from the current folder and
// stays relative. Never throws, also not on folders it cannot read.
std::filesystem::path ResolvePathCase(const std::filesystem::path& path);

// The entry `name` of `folder`, the folder taken as it stands: an exact
// match first, else the entry whose name differs only in ASCII case (the
// first in byte order), else `name` as given. Never throws.
std::filesystem::path ResolveNameCase(const std::filesystem::path& folder, const std::filesystem::path& name);

// MapWindowsPath with the user's home folder, then ResolvePathCase.
std::filesystem::path LocalDataPath(std::string_view windowsPath);

} // namespace zuninfo
