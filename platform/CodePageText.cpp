#include "platform/CodePageText.h"

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
    if (bytes.size() <= kPiece)
        return WideText(bytes, CP_UTF8);
    std::wstring text;
    while (!bytes.empty()) {
        std::size_t size = std::min(bytes.size(), kPiece);
        while (size < bytes.size() && size > kPiece - 4 && (static_cast<unsigned char>(bytes[size]) & 0xC0) == 0x80)
            --size;
        text += WideText(bytes.substr(0, size), CP_UTF8);
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

} // namespace

std::wstring CodePageText(std::string_view bytes, unsigned codePage)
{
    return bytes.empty() ? std::wstring() : FromCodePage(codePage, bytes);
}

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

} // namespace zuninfo
