#include "platform/MemoryFile.h"

#ifdef _WIN32
#include <filesystem>
#include <random>
#include <system_error>
#endif

namespace {

// A new temporary file that is removed when it is closed, open for reading
// and writing in binary mode.
std::FILE* OpenTemporaryFile()
{
#ifdef _WIN32
    // The C library's tmpfile makes its file in the drive's root folder,
    // where a user often may not write; the temporary folder is theirs. 'D'
    // removes the file when the stream is closed.
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error)
        return nullptr;
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path path = folder / ("zuninfo-" + std::to_string(random()) + ".tmp");
        if (std::filesystem::exists(path, error) || error)
            continue;
        if (std::FILE* file = _wfopen(path.c_str(), L"w+bD"))
            return file;
    }
    return nullptr;
#else
    return std::tmpfile();
#endif
}

std::FILE* CopyIntoTemporaryFile(const std::string& bytes)
{
    std::FILE* file = OpenTemporaryFile();
    if (file == nullptr)
        return nullptr;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fflush(file) != 0
        || std::fseek(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

} // namespace

std::FILE* OpenBytesForReading(const std::string& bytes)
{
#ifdef _WIN32
    return CopyIntoTemporaryFile(bytes);
#else
    // fmemopen (POSIX.1-2008) reads the buffer in place; some C libraries
    // refuse an empty one.
    if (std::FILE* file = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb"))
        return file;
    return CopyIntoTemporaryFile(bytes);
#endif
}
