#pragma once

#include <cstdio>
#include <string>

namespace zuninfo {

// How the loaders open and close their files. The paths they pass are the
// program's fixed names: a Windows-style absolute path for the monster info
// file, bare file names (looked up in the current folder) for the name lists.
class FileAccess {
public:
    virtual ~FileAccess() = default;

    // Opens the file for reading only, in binary mode; nullptr when it
    // cannot be opened.
    virtual std::FILE* Open(const std::string& path) = 0;
    virtual void Close(std::FILE* file) = 0;
};

// The real file system. A Windows path is mapped onto this platform (see
// PathMapping.h); only regular files are opened, so a folder or a device at
// a data file's place counts as a file that cannot be opened.
FileAccess& SystemFiles();

} // namespace zuninfo
