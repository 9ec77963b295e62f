#pragma once

#include <cstdio>
#include <string>

// Opens bytes held in memory as a binary stream for reading, for code that
// reads a std::FILE*. Where the platform can (fmemopen), the stream reads the
// bytes in place: they must stay alive and unchanged until the stream is
// closed. Elsewhere it reads a copy from a temporary file that goes when the
// stream is closed. Close it with std::fclose; nullptr when it cannot be
// opened.
std::FILE* OpenBytesForReading(const std::string& bytes);
