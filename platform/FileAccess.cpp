#include "platform/FileAccess.h"

#include "platform/PathMapping.h"

#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Opens the file for reading in binary mode when it is a regular file (or a
// link to one). fopen would happily open a folder and then read nothing, or
// wait forever on a named pipe; a device is no data file either.
std::FILE* OpenRegularFile(const std::filesystem::path& path)
{
    // Anything else at the path is left unopened.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return nullptr;
#ifdef _WIN32
    return _wfopen(path.c_str(), L"rb");
#else
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
#endif
}

class SystemFileAccess final : public FileAccess {
public:
    std::FILE* Open(const std::string& path) override
    {
        std::FILE* file = OpenRegularFile(LocalDataPath(path));
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
