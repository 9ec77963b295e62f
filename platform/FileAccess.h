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

// Why a file could not be opened. The checker's table of finding kinds words
// each reason, in this order.
struct OpenFailure {
    enum class Reason {
        Missing,
        DanglingLink, // a link to nothing
        Folder,
        NoPermission,
        Pipe,
        Device,
        Socket,
        NotRegular, // any other kind of file
        System,     // the operating system's own words say why
    };
    Reason reason = Reason::Missing;
    std::string systemText; // for System
};

// Opens the file at a path of this system as it stands, with no mapping and
// no case fallback, the way SystemFiles opens the files the viewer finds:
// for reading only, in binary mode, regular files (or links to them) only.
// On failure gives nullptr and, when `failure` is given, says why.
std::FILE* OpenFileAsNamed(const std::string& path, OpenFailure* failure = nullptr);

} // namespace zuninfo
