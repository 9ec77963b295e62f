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


// Files and folders the user names (on the command line, by dropping them on
// the window). Such a path is used as it stands: no Windows path is mapped
// onto this platform and no name is matched with its case ignored. A
// relative path is taken from the current folder. On Windows a path is
// UTF-8, so that any name Windows allows can be given; elsewhere it is the
// bytes the system names the file by.

// Opens the file for reading only, in binary mode, as SystemFiles() opens the
// program's own: only a regular file (or a link to one). On failure gives
// nullptr and, when `failure` is given, says why.
std::FILE* OpenNamedFile(const std::string& path, OpenFailure* failure = nullptr);

// Opens a file of one of the program's own names ("mons.txt") in a folder the
// user named: the folder as it stands, the file found as the program finds
// its own (where no file has exactly that name, one whose name differs only
// in ASCII case).
std::FILE* OpenFileInFolder(const std::string& folder, const std::string& name);

// The path OpenFileInFolder opens.
std::string FileInFolder(const std::string& folder, const std::string& name);

// The path SystemFiles() opens for one of the program's own names (its
// Windows path or a bare file name).
std::string ProgramFilePath(const std::string& path);

// Whether a folder, or a link to one, is at the path.
bool IsFolder(const std::string& path);

// The current folder, absolute; empty when it cannot be told (it was
// removed, say).
std::string CurrentFolder();

// The path made absolute against the current folder; an empty path stays
// empty. On Windows also "." and ".." are resolved, as Windows does.
std::string AbsolutePath(const std::string& path);

// The folder an absolute path names its file in: "/data/zuninfo.qdf" gives
// "/data", "/zuninfo.qdf" gives "/" (on Windows "C:\x.qdf" gives "C:\").
std::string FolderOf(const std::string& path);

} // namespace zuninfo
