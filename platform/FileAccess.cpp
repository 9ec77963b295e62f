#include "platform/FileAccess.h"

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#else
#include "platform/PathMapping.h"

#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zuninfo {

namespace {

#ifdef _WIN32
// Opens the file for reading in binary mode when it is a file on disk. The
// path is used as it stands: Windows finds names whatever their case. The
// file is opened first and then checked, so that nothing can be swapped in
// between: a folder, a device or a pipe is left unopened. Others may go on
// reading, writing and deleting the file meanwhile, as elsewhere.
std::FILE* OpenRegularFile(const std::string& path)
{
    const int size = static_cast<int>(path.size());
    std::wstring widePath(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, path.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), size, widePath.data(), static_cast<int>(widePath.size()));
    const HANDLE handle = CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &information)
        || (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        CloseHandle(handle);
        return nullptr;
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "rb");
    if (file == nullptr)
        _close(descriptor);
    return file;
}
#else
// Opens the file for reading in binary mode when it is a regular file (or a
// link to one), the path mapped onto this system first. fopen would happily
// open a folder and then read nothing, or wait forever on a named pipe; a
// device is no data file either.
std::FILE* OpenRegularFile(const std::string& windowsPath)
{
    const std::filesystem::path path = LocalDataPath(windowsPath);
    // Anything else at the path is left unopened.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return nullptr;
    // Opened without waiting for a writer, then checked again on the open
    // file itself, so that a pipe swapped in at the path since the check
    // cannot make the viewer hang. (O_NONBLOCK changes nothing for reading a
    // regular file.)
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return nullptr;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return nullptr;
    }
    std::FILE* file = ::fdopen(descriptor, "rb");
    if (file == nullptr)
        ::close(descriptor);
    return file;
}
#endif

class SystemFileAccess final : public FileAccess {
public:
    std::FILE* Open(const std::string& path) override
    {
        std::FILE* file = OpenRegularFile(path);
        // The loaders take one byte at a time from the stream's buffer; a
        // 64 KiB buffer refills it with a sixteenth of the system calls of
        // the usual 4 KiB.
        if (file != nullptr)
            std::setvbuf(file, nullptr, _IOFBF, 64 * 1024);
        return file;
    }

    void Close(std::FILE* file) override { std::fclose(file); }
};

} // namespace

FileAccess& SystemFiles()
{
    static SystemFileAccess files;
    return files;
}

} // namespace zuninfo
