// The rules by which names turn into text: which bytes are UTF-8, and which
// code page a locale reads the others in.
#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

using namespace zuninfo;

namespace {

TEST(TextEncoding, IsUtf8TakesShortestFormsUpToU10FFFFAndNothingElse)
{
    const struct {
        const char* what;
        std::string bytes;
        bool utf8;
    } cases[] = {
        {"nothing", "", true},
        {"ASCII, NUL and DEL", std::string("Orc\0\x7F", 5), true},
        {"two bytes, U+0080 and U+07FF", "\xC2\x80\xDF\xBF", true},
        {"three bytes, U+0800, U+D7FF, U+E000 and U+FFFF", "\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF", true},
        {"four bytes, U+10000 and U+10FFFF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", true},
        {"a lone first continuation byte", "Orc\x80", false}, {"a lone last continuation byte", "\xBF", false},
        {"overlong two bytes from C0", "\xC0\xAF", false}, {"overlong two bytes from C1", "\xC1\xBF", false},
        {"overlong three bytes", "\xE0\x9F\xBF", false}, {"overlong four bytes", "\xF0\x8F\xBF\xBF", false},
        {"the first surrogate", "\xED\xA0\x80", false}, {"the last surrogate", "\xED\xBF\xBF", false},
        {"U+110000", "\xF4\x90\x80\x80", false}, {"a lead byte past F4", "\xF5\x80\x80\x80", false},
        {"FE and FF", "\xFE\xFF", false}, {"a lead byte where a continuation byte belongs", "\xC3\xC3", false},
        {"two bytes cut short at the end", "Orc\xC3", false}, {"three bytes cut short at the end", "\xE2\x82", false},
        {"four bytes cut short at the end", "\xF0\x9F\x98", false},
        {"three bytes cut short before ASCII", "\xE2\x82" "Orc", false},
        {"four bytes cut short before ASCII", "\xF0\x9F\x98" "Orc", false},
    };
    for (const auto& c : cases) {
        // Bytes that would complete any sequence follow the ones looked at,
        // so that a check reading past their end accepts what it must not.
        const std::string followed = c.bytes + "\xBF\xBF\xBF";
        EXPECT_EQ(IsUtf8(std::string_view(followed).substr(0, c.bytes.size())), c.utf8) << c.what;
    }
}

TEST(TextEncoding, AnsiCodePageIsThatOfTheLocalesLanguageAndScript)
{
    const struct {
        const char* locale;
        int codePage;
    } cases[] = {
        {"ja_JP.UTF-8", 932}, {"ko_KR.eucKR", 949}, {"ko-KR", 949}, {"zh_CN.GB18030", 936}, {"zh_SG", 936},
        {"zh-Hans-HK", 936}, {"zh_TW.UTF-8", 950}, {"zh-HK", 950}, {"zh-Hant", 950}, {"th_TH", 874},
        {"pl_PL.UTF-8", 1250}, {"sr_RS@latin", 1250}, {"sr-Latn-RS", 1250}, {"bs_BA", 1250},
        {"ru_RU.UTF-8", 1251}, {"RU_ru", 1251}, {"sr_RS", 1251}, {"bs-Cyrl-BA", 1251}, {"uz_UZ@cyrillic", 1251},
        {"el_GR", 1253}, {"tr_TR.UTF-8", 1254}, {"az-Latn-AZ", 1254}, {"he_IL", 1255}, {"ar_EG.UTF-8", 1256},
        {"fa-IR", 1256}, {"lt_LT", 1257}, {"vi_VN", 1258},
        {"en_US.UTF-8", 1252}, {"de_DE@euro", 1252}, {"C", 1252}, {"C.UTF-8", 1252}, {"POSIX", 1252}, {"", 1252},
        {"xx_YY", 1252}, {"kok_IN", 1252}, {"es-419", 1252},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnsiCodePage(c.locale), c.codePage) << "'" << c.locale << "'";
}

} // namespace
