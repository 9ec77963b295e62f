#include "platform/win32/NameText.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace zuninfo {

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

// Appends the text of the bytes, which must all be valid in the code page
// (MB_ERR_INVALID_CHARS). False, with nothing appended, where they are not.
bool AppendStrict(UINT codePage, std::string_view bytes, std::wstring& text)
{
    if (bytes.size() > INT_MAX)
        return false;
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return false;
    const std::size_t start = text.size();
    text.resize(start + static_cast<std::size_t>(length));
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, text.data() + start, length);
    return true;
}

// UTF-8 in pieces of at most 1 GiB that end where a character does; Windows
// puts U+FFFD for each malformed sequence.
std::wstring FromUtf8(std::string_view bytes)
{
    constexpr std::size_t kPiece = std::size_t(1) << 30;
    std::wstring text;
    while (!bytes.empty()) {
        std::size_t size = std::min(bytes.size(), kPiece);
        while (size < bytes.size() && size > kPiece - 4 && (static_cast<unsigned char>(bytes[size]) & 0xC0) == 0x80)
            --size;
        const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(size), nullptr, 0);
        const std::size_t start = text.size();
        text.resize(start + static_cast<std::size_t>(std::max(length, 0)));
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(size), text.data() + start, length);
        bytes.remove_prefix(size);
    }
    return text;
}

// One character at a time, for bytes that hold something the code page
// cannot map: two bytes for a lead byte of a double-byte code page, else
// one. A pair that does not decode loses only its lead byte; the second byte
// is read again as a character of its own.
std::wstring FromCodePageByCharacter(UINT codePage, std::string_view bytes)
{
    CPINFO info{};
    const bool doubleByte = GetCPInfo(codePage, &info) && info.MaxCharSize == 2;
    std::wstring text;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t length = 1;
        if (doubleByte && at + 1 < bytes.size() && IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes[at])))
            length = 2;
        if (!AppendStrict(codePage, bytes.substr(at, length), text)) {
            text.push_back(kReplacement);
            length = 1;
        }
        at += length;
    }
    return text;
}

std::wstring FromCodePage(UINT codePage, std::string_view bytes)
{
    std::wstring text;
    if (!AppendStrict(codePage, bytes, text))
        text = FromCodePageByCharacter(codePage, bytes);
    // What a code page gives for the bytes it leaves undefined.
    std::u16string marked(text.begin(), text.end());
    MarkUnmappable(marked.data(), marked.size());
    return std::wstring(marked.begin(), marked.end());
}

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

std::wstring UserLocaleName()
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) == 0)
        return L"en-US";
    return name;
}

std::wstring ShownText(std::string_view bytes, TextEncoding encoding, std::wstring_view locale)
{
    if (bytes.empty())
        return {};
    if (encoding == TextEncoding::Utf8)
        return FromUtf8(bytes);
    // Locale names are ASCII.
    const std::string localeName(locale.begin(), locale.end());
    return FromCodePage(static_cast<UINT>(AnsiCodePage(localeName)), bytes);
}

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
