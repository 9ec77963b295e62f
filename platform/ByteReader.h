#pragma once

#include <cstdio>

namespace zuninfo {

// Reads an open stream one byte at a time. The stream is locked once for the
// reader's lifetime, so each byte costs no lock of its own even when the
// process has other threads. Next() gives a byte (0 to 255) or EOF, keeps
// giving EOF once the end is reached, and counts a read error as EOF.
class ByteReader {
public:
    explicit ByteReader(std::FILE* file) : file_(file)
    {
#ifdef _WIN32
        _lock_file(file_);
#else
        flockfile(file_);
#endif
    }
    ~ByteReader()
    {
#ifdef _WIN32
        _unlock_file(file_);
#else
        funlockfile(file_);
#endif
    }
    ByteReader(const ByteReader&) = delete;
    ByteReader& operator=(const ByteReader&) = delete;

    int Next()
    {
#ifdef _WIN32
        return _fgetc_nolock(file_);
#else
        return getc_unlocked(file_);
#endif
    }

private:
    std::FILE* file_;
};

} // namespace zuninfo
