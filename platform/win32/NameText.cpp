#include "platform/win32/NameText.h"

#include <windows.h>

#include <climits>

namespace zuninfo {

namespace {

// The locale's comparison of two texts, case ignored: negative, zero or
// positive. Zero where the locale cannot compare them.
int Collate(const std::wstring& locale, const std::wstring& a, const std::wstring& b)
{
    if (a.size() > INT_MAX || b.size() > INT_MAX)
        return 0;
    const int result = CompareStringEx(locale.c_str(), LINGUISTIC_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                       b.data(), static_cast<int>(b.size()), nullptr, nullptr, 0);
    return result == 0 ? 0 : result - CSTR_EQUAL;
}

} // namespace

std::vector<std::wstring> ListItems(const std::vector<std::string>& names, TextEncoding encoding,
                                    std::wstring_view locale)
{
    std::vector<std::wstring> shown;
    shown.reserve(names.size());
    for (const std::string& name : names)
        shown.push_back(ShownText(name, encoding, locale));
    const std::wstring localeName(locale);
    return ListItemsInOrder(names, std::move(shown), [&localeName](const std::wstring& a, const std::wstring& b) {
        return Collate(localeName, a, b);
    });
}

std::string Win32TextRules::Shown(std::string_view bytes, TextEncoding encoding) const
{
    return Utf8(ShownText(bytes, encoding, locale_));
}

int Win32TextRules::Collate(const std::string& a, const std::string& b) const
{
    return zuninfo::Collate(locale_, Utf16(a), Utf16(b));
}

std::string Win32TextRules::Folded(const std::string& text) const
{
    const std::wstring wide = Utf16(text);
    if (wide.empty() || wide.size() > INT_MAX)
        return text;
    const int size = static_cast<int>(wide.size());
    const DWORD flags = LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING;
    const int length = LCMapStringEx(locale_.c_str(), flags, wide.data(), size, nullptr, 0, nullptr, nullptr, 0);
    if (length <= 0)
        return text;
    std::wstring folded(static_cast<std::size_t>(length), L'\0');
    LCMapStringEx(locale_.c_str(), flags, wide.data(), size, folded.data(), length, nullptr, nullptr, 0);
    return Utf8(folded);
}

} // namespace zuninfo
