#pragma once

#include <cstddef>
#include <string_view>

// Names in the data files are bytes. The tables keep them as they are; a
// front end turns them into text only where it shows them, by these rules.

// How one list file's names are read: as UTF-8 when every name in the file
// is valid UTF-8, else all of them in the ANSI code page of the user's locale.
enum class TextEncoding { Utf8, Ansi };

// Whether the bytes are well-formed UTF-8: no stray or missing continuation
// bytes, no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view bytes);

// The ANSI code page Windows gives a locale: 932 Japanese, 949 Korean, 936
// Simplified and 950 Traditional Chinese, 874 Thai, 1250 Central European,
// 1251 Cyrillic, 1253 Greek, 1254 Turkish, 1255 Hebrew, 1256 Arabic, 1257
// Baltic, 1258 Vietnamese, and 1252 for every other locale, C and POSIX
// included. Takes POSIX names ("ko_KR.UTF-8", "sr_RS@latin") and BCP 47
// names ("ko-KR", "zh-Hant-TW").
int AnsiCodePage(std::string_view locale);

// After decoding a name from an ANSI code page: the characters that stand for
// bytes the code page cannot map become U+FFFD. Those are U+001A, which
// decoders put in for a malformed sequence, and the C1 controls U+0080 to
// U+009F, which Windows gives the bytes its single-byte code pages leave
// undefined. Every other character stays, so nothing after such a byte is
// lost.
void MarkUnmappable(char16_t* text, std::size_t length);

// The order of a sorted item list: by `collation`, the user's locale's
// comparison of the two names as shown, case ignored (negative, zero or
// positive); names it finds equal keep the order of their bytes, so that the
// order is total and the same on every run.
inline bool ListOrderLess(int collation, std::string_view a, std::string_view b)
{
    return collation != 0 ? collation < 0 : a < b;
}
