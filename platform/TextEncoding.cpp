#include "platform/TextEncoding.h"

#include "platform/Ascii.h"

#include <array>
#include <string>

namespace zuninfo {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

struct LanguageCodePage {
    const char* language;
    int codePage;
};

// Languages whose locales Windows gives an ANSI code page other than 1252.
// Chinese and Serbian depend on the script, and are decided below.
constexpr std::array<LanguageCodePage, 40> kLanguages{{
    {"ja", 932}, {"ko", 949}, {"th", 874},
    {"cs", 1250}, {"pl", 1250}, {"hu", 1250}, {"sk", 1250}, {"sl", 1250}, {"hr", 1250},
    {"ro", 1250}, {"sq", 1250}, {"bs", 1250},
    {"ru", 1251}, {"uk", 1251}, {"be", 1251}, {"bg", 1251}, {"mk", 1251}, {"kk", 1251},
    {"ky", 1251}, {"mn", 1251}, {"tt", 1251}, {"tg", 1251}, {"ba", 1251},
    {"el", 1253},
    {"tr", 1254}, {"az", 1254}, {"uz", 1254},
    {"he", 1255}, {"iw", 1255}, {"yi", 1255},
    {"ar", 1256}, {"fa", 1256}, {"ur", 1256}, {"ps", 1256}, {"ug", 1256}, {"ckb", 1256},
    {"lt", 1257}, {"lv", 1257}, {"et", 1257},
    {"vi", 1258},
}};

} // namespace

bool IsUtf8(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned char lead = *p++;
        if (lead < 0x80)
            continue;
        // The number of continuation bytes, and the smallest second byte
        // and largest second byte that keep the form shortest and in range.
        int more;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            if (lead == 0xE0)
                low = 0xA0; // overlong below U+0800
            if (lead == 0xED)
                high = 0x9F; // surrogates U+D800 to U+DFFF
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            if (lead == 0xF0)
                low = 0x90; // overlong below U+10000
            if (lead == 0xF4)
                high = 0x8F; // past U+10FFFF
        } else {
            return false; // a continuation byte, C0, C1 or F5 to FF
        }
        if (end - p < more || *p < low || *p > high)
            return false;
        for (int i = 1; i < more; ++i) {
            if (!IsContinuation(p[i]))
                return false;
        }
        p += more;
    }
    return true;
}

int AnsiCodePage(std::string_view locale)
{
    // "ll_CC.charset@modifier" or "ll-Script-CC": the language, then the
    // rest, in which a script or modifier may stand.
    std::string lower(locale);
    for (char& c : lower)
        c = AsciiLower(c);
    const std::size_t languageEnd = lower.find_first_of("_-.@");
    const std::string language = lower.substr(0, languageEnd);
    const std::string rest = languageEnd == std::string::npos ? std::string() : lower.substr(languageEnd);
    const auto has = [&rest](const char* part) { return rest.find(part) != std::string::npos; };

    if (language == "zh") {
        const bool traditional = has("hant") || has("_tw") || has("-tw") || has("_hk") || has("-hk")
            || has("_mo") || has("-mo");
        return traditional && !has("hans") ? 950 : 936;
    }
    // Serbian is Cyrillic unless its script or modifier says Latin (glibc's
    // sr_RS is Cyrillic, sr_RS@latin Latin); Bosnian, Azeri and Uzbek are
    // Latin unless they say Cyrillic.
    if (language == "sr")
        return has("latn") || has("@latin") ? 1250 : 1251;
    if ((language == "bs" || language == "az" || language == "uz") && (has("cyrl") || has("@cyrillic")))
        return 1251;
    for (const LanguageCodePage& entry : kLanguages) {
        if (language == entry.language)
            return entry.codePage;
    }
    return 1252;
}

void MarkUnmappable(char16_t* text, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == 0x1A || (text[i] >= 0x80 && text[i] <= 0x9F))
            text[i] = 0xFFFD;
    }
}

} // namespace zuninfo
