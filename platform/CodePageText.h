#pragma once

#ifdef _WIN32

#include "platform/TextEncoding.h"
#include "platform/WideText.h"

#include <string>
#include <string_view>

namespace zuninfo {

// Names are bytes until they are shown: these turn them into UTF-16 text as
// Windows decodes them (kernel32 alone), for the window and the tools alike.

// The user's locale as Windows names it ("en-US", "ko-KR").
std::wstring UserLocaleName();

// The text of the bytes: UTF-8, or the ANSI code page Windows gives
// `locale`. A byte sequence the code page cannot map is shown as U+FFFD and
// costs nothing of the rest of the name.
std::wstring ShownText(std::string_view bytes, TextEncoding encoding, std::wstring_view locale);

// The bytes in a code page, by the same rules.
std::wstring CodePageText(std::string_view bytes, unsigned codePage);

// Text of the program's own (captions, hints, messages) as UTF-16.
inline std::wstring Utf16(std::string_view utf8)
{
    return ShownText(utf8, TextEncoding::Utf8, {});
}

} // namespace zuninfo

#endif
