#include "tests/support/MemoryFile.h"

std::FILE* OpenBytesForReading(const std::string& bytes)
{
#ifndef _WIN32
    // Some C libraries refuse an empty buffer; the copy below serves those.
    if (std::FILE* file = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb"))
        return file;
#endif
    std::FILE* file = std::tmpfile();
    if (file == nullptr)
        return nullptr;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fseek(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}
