#pragma once

#include "platform/TextEncoding.h"

#include <optional>
#include <string>
#include <string_view>

namespace zuninfo {

// A name's bytes as UTF-8 text, read the way the viewer shows them: as UTF-8,
// or in the ANSI code page of the user's locale (LC_ALL, LC_CTYPE or LANG;
// on Windows the user's locale), where a sequence the code page cannot map
// becomes U+FFFD and costs nothing of the rest of the name.
std::string NameAsUtf8(std::string_view bytes, TextEncoding encoding);

// The ANSI code page of the user's locale, which names not in UTF-8 are read
// in.
int UserCodePage();

// Text in a code page (0: UserCodePage()) as UTF-8, by the same rules; none
// where this system has no converter for the code page.
std::optional<std::string> CodePageAsUtf8(std::string_view bytes, int codePage);

} // namespace zuninfo
