#pragma once

#ifdef _WIN32

#include <string>
#include <string_view>

namespace zuninfo {

// Windows' UTF-16 text of bytes in a code page (CP_UTF8 for the program's
// own UTF-8 text, CP_ACP for the ANSI code page).
std::wstring WideText(std::string_view bytes, unsigned codePage);

// UTF-16 text as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8(std::wstring_view text);

} // namespace zuninfo

#endif
