// NameAsUtf8 on Windows: the names decoded as the window decodes them.
#include "platform/NameUtf8.h"

#include "platform/CodePageText.h"

#include <windows.h>

namespace zuninfo {

std::string NameAsUtf8(std::string_view bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8)
        return std::string(bytes);
    return Utf8(ShownText(bytes, encoding, UserLocaleName()));
}

} // namespace zuninfo

namespace zuninfo {

int UserCodePage()
{
    const std::wstring locale = UserLocaleName();
    return AnsiCodePage(std::string(locale.begin(), locale.end()));
}

std::optional<std::string> CodePageAsUtf8(std::string_view bytes, int codePage)
{
    codePage = codePage == 0 ? UserCodePage() : codePage;
    if (!IsValidCodePage(static_cast<UINT>(codePage)))
        return std::nullopt;
    return Utf8(CodePageText(bytes, static_cast<UINT>(codePage)));
}

} // namespace zuninfo
