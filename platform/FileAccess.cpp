#include "platform/FileAccess.h"

#include <cerrno>
#include <cstring>
#include <utility>

#ifdef _WIN32
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
// The system's message for an error code, without its closing line end.
std::string SystemText(DWORD error)
{
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                            | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 ? std::string(text, length) : "error " + std::to_string(error);
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
std::FILE* OpenRegularFile(const std::string& path, OpenFailure* failure)
{
    const int size = static_cast<int>(path.size());
    std::wstring widePath(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, path.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), size, widePath.data(), static_cast<int>(widePath.size()));
    const HANDLE handle = CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return Failed(failure, Reason::Missing);
        if (error == ERROR_ACCESS_DENIED) {
            // Windows opens no folder without being asked to, and says so.
            const DWORD attributes = GetFileAttributesW(widePath.c_str());
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
    std::FILE* Open(const std::string& path) override
    {
#ifdef _WIN32
        return Buffered(OpenRegularFile(path, nullptr));
#else
        return Buffered(OpenRegularFile(LocalDataPath(path).c_str(), nullptr));
#endif
    }

    void Close(std::FILE* file) override { std::fclose(file); }
};

} // namespace

FileAccess& SystemFiles()
{
    static SystemFileAccess files;
    return files;
}

std::FILE* OpenFileAsNamed(const std::string& path, OpenFailure* failure)
{
#ifdef _WIN32
    return Buffered(OpenRegularFile(path, failure));
#else
    return Buffered(OpenRegularFile(path.c_str(), failure));
#endif
}

} // namespace zuninfo
