// NameAsUtf8 on Windows: the names decoded as the window decodes them.
#include "platform/NameUtf8.h"

#include "platform/win32/NameText.h"

#include <windows.h>

#include <climits>

namespace zuninfo {

std::string NameAsUtf8(std::string_view bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8)
        return std::string(bytes);
    const std::wstring text = ShownText(bytes, encoding, UserLocaleName());
    if (text.empty() || text.size() > INT_MAX / 4)
        return {};
    const int size = static_cast<int>(text.size());
    std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    return utf8;
}

} // namespace zuninfo
