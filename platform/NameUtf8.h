#pragma once

#include "platform/TextEncoding.h"

#include <string>
#include <string_view>

namespace zuninfo {

// A name's bytes as UTF-8 text, read the way the viewer shows them: as UTF-8,
// or in the ANSI code page of the user's locale (LC_ALL, LC_CTYPE or LANG;
// on Windows the user's locale), where a sequence the code page cannot map
// becomes U+FFFD and costs nothing of the rest of the name.
std::string NameAsUtf8(std::string_view bytes, TextEncoding encoding);

} // namespace zuninfo
