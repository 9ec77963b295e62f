// NameAsUtf8 on Windows: the names decoded as the window decodes them.
#include "platform/NameUtf8.h"

#include "platform/CodePageText.h"

namespace zuninfo {

std::string NameAsUtf8(std::string_view bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8)
        return std::string(bytes);
    return Utf8(ShownText(bytes, encoding, UserLocaleName()));
}

} // namespace zuninfo
