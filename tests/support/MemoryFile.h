#pragma once

#include <cstdio>
#include <string>

// Opens bytes held in memory as a binary stream for reading. Where the C
// library can (fmemopen), the stream reads the bytes in place: they must stay
// alive and unchanged until the stream is closed. Elsewhere it reads a copy
// in a temporary file that goes when the stream is closed. nullptr when it
// cannot be opened.
std::FILE* OpenBytesForReading(const std::string& bytes);
