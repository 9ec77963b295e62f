#include "platform/FileAccess.h"

#include <cerrno>
#include <cstring>
#include <utility>

#ifdef _WIN32
#include "platform/WideText.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#else
#include "platform/PathMapping.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zuninfo {

namespace {

using Reason = OpenFailure::Reason;

std::FILE* Failed(OpenFailure* failure, Reason reason, std::string systemText = {})
{
    if (failure != nullptr)
        *failure = {reason, std::move(systemText)};
    return nullptr;
}

#ifdef _WIN32
// The system's message for an error code, as UTF-8, without its closing
// line end.
std::string SystemText(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                            | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = length > 0 ? Utf8(std::wstring(text, length)) : "error " + std::to_string(error);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message;
}

// Opens the file for reading in binary mode when it is a file on disk. The
// path is used as it stands: Windows finds names whatever their case. The
// file is opened first and then checked, so that nothing can be swapped in
// between: a folder, a device or a pipe is left unopened. Others may go on
// reading, writing and deleting the file meanwhile, as elsewhere.
std::FILE* OpenRegularFile(const std::wstring& path, OpenFailure* failure)
{
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return Failed(failure, Reason::Missing);
        if (error == ERROR_ACCESS_DENIED) {
            // Windows opens no folder without being asked to, and says so.
            const DWORD attributes = GetFileAttributesW(path.c_str());
            const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            return Failed(failure, folder ? Reason::Folder : Reason::NoPermission);
        }
        return Failed(failure, Reason::System, SystemText(error));
    }
    const DWORD type = GetFileType(handle);
    if (type != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return Failed(failure, type == FILE_TYPE_PIPE ? Reason::Pipe
                               : type == FILE_TYPE_CHAR ? Reason::Device
                                                        : Reason::NotRegular);
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(handle, &information)) {
        const DWORD error = GetLastError();
        CloseHandle(handle);
        return Failed(failure, Reason::System, SystemText(error));
    }
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        CloseHandle(handle);
        return Failed(failure, Reason::Folder);
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (descriptor < 0) {
        const int error = errno;
        CloseHandle(handle);
        return Failed(failure, Reason::System, std::strerror(error));
    }
    std::FILE* file = _fdopen(descriptor, "rb");
    if (file == nullptr) {
        const int error = errno;
        _close(descriptor);
        return Failed(failure, Reason::System, std::strerror(error));
    }
    return file;
}

// The program's own names are ASCII; they are read in the ANSI code page, as
// the C library would read them.
std::FILE* OpenProgramFile(const std::string& path)
{
    return OpenRegularFile(WideText(path, CP_ACP), nullptr);
}

std::FILE* OpenUserFile(const std::string& path, OpenFailure* failure)
{
    return OpenRegularFile(WideText(path, CP_UTF8), failure);
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}
#else
Reason ReasonOfMode(mode_t mode)
{
    if (S_ISDIR(mode))
        return Reason::Folder;
    if (S_ISFIFO(mode))
        return Reason::Pipe;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return Reason::Device;
    if (S_ISSOCK(mode))
        return Reason::Socket;
    return Reason::NotRegular;
}

std::FILE* FailedWithErrno(OpenFailure* failure, int error)
{
    if (error == EACCES)
        return Failed(failure, Reason::NoPermission);
    return Failed(failure, Reason::System, std::strerror(error));
}

// Opens the file for reading in binary mode when it is a regular file (or a
// link to one). fopen would happily open a folder and then read nothing, or
// wait forever on a named pipe; a device is no data file either.
std::FILE* OpenRegularFile(const char* path, OpenFailure* failure)
{
    // Anything else at the path is left unopened.
    struct stat status {};
    if (::stat(path, &status) != 0) {
        const int error = errno;
        if (error != ENOENT)
            return FailedWithErrno(failure, error);
        struct stat link {};
        const bool dangling = ::lstat(path, &link) == 0 && S_ISLNK(link.st_mode);
        return Failed(failure, dangling ? Reason::DanglingLink : Reason::Missing);
    }
    if (!S_ISREG(status.st_mode))
        return Failed(failure, ReasonOfMode(status.st_mode));
    // Opened without waiting for a writer, then checked again on the open
    // file itself, so that a pipe swapped in at the path since the check
    // cannot make the viewer hang. (O_NONBLOCK changes nothing for reading a
    // regular file.)
    const int descriptor = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return FailedWithErrno(failure, errno);
    if (::fstat(descriptor, &status) != 0) {
        const int error = errno;
        ::close(descriptor);
        return FailedWithErrno(failure, error);
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return Failed(failure, ReasonOfMode(status.st_mode));
    }
    std::FILE* file = ::fdopen(descriptor, "rb");
    if (file == nullptr) {
        const int error = errno;
        ::close(descriptor);
        return FailedWithErrno(failure, error);
    }
    return file;
}

// The program names its files the Windows way: mapped onto this system first.
std::FILE* OpenProgramFile(const std::string& windowsPath)
{
    return OpenRegularFile(LocalDataPath(windowsPath).c_str(), nullptr);
}

std::FILE* OpenUserFile(const std::string& path, OpenFailure* failure)
{
    return OpenRegularFile(path.c_str(), failure);
}

bool IsSeparator(char c)
{
    return c == '/';
}
#endif

// The loaders take one byte at a time from the stream's buffer; a 64 KiB
// buffer refills it with a sixteenth of the system calls of the usual 4 KiB.
std::FILE* Buffered(std::FILE* file)
{
    if (file != nullptr)
        std::setvbuf(file, nullptr, _IOFBF, 64 * 1024);
    return file;
}

class SystemFileAccess final : public FileAccess {
public:
    std::FILE* Open(const std::string& path) override { return Buffered(OpenProgramFile(path)); }

    void Close(std::FILE* file) override { std::fclose(file); }
};

} // namespace

FileAccess& SystemFiles()
{
    static SystemFileAccess files;
    return files;
}

std::FILE* OpenNamedFile(const std::string& path, OpenFailure* failure)
{
    return Buffered(OpenUserFile(path, failure));
}

std::FILE* OpenFileInFolder(const std::string& folder, const std::string& name)
{
    return OpenNamedFile(FileInFolder(folder, name));
}

std::string FileInFolder(const std::string& folder, const std::string& name)
{
#ifdef _WIN32
    std::string path = folder;
    if (!path.empty() && !IsSeparator(path.back()))
        path += '\\';
    return path + name;
#else
    return ResolveNameCase(folder, name).string();
#endif
}

std::string ProgramFilePath(const std::string& path)
{
#ifdef _WIN32
    return path;
#else
    return LocalDataPath(path).string();
#endif
}

bool IsFolder(const std::string& path)
{
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(WideText(path, CP_UTF8).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
#else
    std::error_code error;
    return std::filesystem::is_directory(path, error);
#endif
}

std::string CurrentFolder()
{
#ifdef _WIN32
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0)
        return {};
    std::wstring folder(size, L'\0');
    folder.resize(GetCurrentDirectoryW(size, folder.data()));
    return Utf8(folder);
#else
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? std::string() : folder.string();
#endif
}

std::string AbsolutePath(const std::string& path)
{
    if (path.empty())
        return path;
#ifdef _WIN32
    const std::wstring wide = WideText(path, CP_UTF8);
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::wstring full(size, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), size, full.data(), nullptr));
    return Utf8(full);
#else
    if (path.front() == '/')
        return path;
    const std::string current = CurrentFolder();
    return current.empty() ? path : (std::filesystem::path(current) / path).string();
#endif
}

std::string FolderOf(const std::string& path)
{
    std::size_t end = path.size();
    while (end > 0 && !IsSeparator(path[end - 1]))
        --end;
    if (end == 0)
        return {};
    // The separator is left off, but for the root and a drive ("C:\"),
    // which need it.
    const std::string folder = path.substr(0, end - 1);
    if (folder.empty() || (folder.size() == 2 && folder[1] == ':'))
        return path.substr(0, end);
    return folder;
}

} // namespace zuninfo
