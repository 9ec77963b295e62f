#pragma once

#include <cstddef>

namespace zuninfo {

// Case folding of ASCII letters only: A-Z become a-z, every other unit
// (punctuation, bytes of UTF-8 sequences, other letters) stays as it is.
// For names the program compares the way Windows file names and locale
// names are compared.
template <typename Char>
constexpr Char AsciiLower(Char c)
{
    return (c >= Char('A') && c <= Char('Z')) ? Char(c - Char('A') + Char('a')) : c;
}

// Equal under AsciiLower, unit by unit.
template <typename String>
bool AsciiCaseEqual(const String& a, const String& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

} // namespace zuninfo
