// NameAsUtf8 with the C library's converters (iconv), for the command-line
// tools, which have no window toolkit to decode with.
#include "platform/NameUtf8.h"

#include <cerrno>
#include <cstdlib>
#include <string>

#include <iconv.h>

namespace zuninfo {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// The locale the user's names are read in, as the environment names it.
std::string UserLocale()
{
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return "C";
}

// The bytes in the code page, one character at a time where a sequence does
// not convert: that sequence's first byte becomes U+FFFD, and the bytes after
// it are read again.
std::string FromCodePage(int codePage, std::string_view bytes)
{
    std::string text;
    const iconv_t converter = iconv_open("UTF-8", ("CP" + std::to_string(codePage)).c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        // No converter for the code page: ASCII stands, the rest cannot be read.
        for (const char c : bytes)
            static_cast<unsigned char>(c) < 0x80 ? text += c : text += kReplacement;
        return text;
    }
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
        text.append(buffer, static_cast<std::size_t>(out - buffer));
        if (converted == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // EILSEQ: not a character of the code page; EINVAL: cut short by
            // the end of the name.
            text += kReplacement;
            ++in;
            --inLeft;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(converter);
    return text;
}

// What a code page gives for the bytes it leaves undefined: U+001A, and the
// C1 controls U+0080 to U+009F, become U+FFFD, as the viewer shows them.
std::string MarkUnmappableUtf8(const std::string& text)
{
    std::string marked;
    marked.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == 0x1A) {
            marked += kReplacement;
        } else if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            marked += kReplacement;
            ++i;
        } else {
            marked += text[i];
        }
    }
    return marked;
}

} // namespace

std::string NameAsUtf8(std::string_view bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8)
        return std::string(bytes);
    return MarkUnmappableUtf8(FromCodePage(UserCodePage(), bytes));
}

int UserCodePage()
{
    return AnsiCodePage(UserLocale());
}

std::optional<std::string> CodePageAsUtf8(std::string_view bytes, int codePage)
{
    codePage = codePage == 0 ? UserCodePage() : codePage;
    const iconv_t converter = iconv_open("UTF-8", ("CP" + std::to_string(codePage)).c_str());
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    iconv_close(converter);
    return MarkUnmappableUtf8(FromCodePage(codePage, bytes));
}

} // namespace zuninfo
