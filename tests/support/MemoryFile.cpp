#include "tests/support/MemoryFile.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// A new file of its own that is gone once closed. On Windows the C
// library's tmpfile draws its names from a counter of each process's own,
// so test programs running side by side take the same names and fail.
std::FILE* NewTemporaryFile()
{
#ifdef _WIN32
    wchar_t folder[MAX_PATH + 1] = {};
    wchar_t name[MAX_PATH + 1] = {};
    if (GetTempPathW(MAX_PATH + 1, folder) == 0 || GetTempFileNameW(folder, L"zun", 0, name) == 0)
        return nullptr;
    return _wfopen(name, L"w+bD");
#else
    return std::tmpfile();
#endif
}

} // namespace

std::FILE* OpenBytesForReading(const std::string& bytes)
{
#ifndef _WIN32
    // Some C libraries refuse an empty buffer; the copy below serves those.
    if (std::FILE* file = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb"))
        return file;
#endif
    std::FILE* file = NewTemporaryFile();
    if (file == nullptr)
        return nullptr;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fseek(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}
