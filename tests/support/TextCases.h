#pragma once

#include <string>
#include <vector>

// How names must look and sort on screen, whatever the front end: each front
// end's tests run these cases against its own decoders and collation.

// A name list file read under a locale, and the text of each of its names.
struct DecodingCase {
    const char* what;
    const char* locale;
    std::string list;
    std::vector<std::u16string> shown;
};

inline const std::vector<DecodingCase>& DecodingCases()
{
    static const std::vector<DecodingCase> cases = {
        {"UTF-8 under the C locale", "C", "1 \xC3\x89p\xC3\xA9" "e\r\n2 Orc\r\n", {u"\u00C9p\u00E9e", u"Orc"}},
        {"UTF-8 under a Korean locale", "ko_KR.UTF-8", "1 Gobelin d\xE2\x80\x99or\r\n", {u"Gobelin d\u2019or"}},
        {"Windows-1252 curly quotes and the euro sign", "C", "1 \x93" "Ace\x94 \x80\r\n", {u"\u201C" u"Ace\u201D \u20AC"}},
        {"949, with a syllable EUC-KR lacks", "ko_KR.UTF-8", "1 \xB0\xED\xBA\xED\xB8\xB0\r\n2 \x8C\x63\r\n",
         {u"\uACE0\uBE14\uB9B0", u"\uB620"}},
        {"932, with a Windows extension", "ja_JP.UTF-8", "1 \x83\x53\x83\x75\x83\x8A\x83\x93\x87\x40\r\n",
         {u"\u30B4\u30D6\u30EA\u30F3\u2460"}},
        {"1251", "ru_RU.UTF-8", "1 \xC3\xEE\xE1\xEB\xE8\xED\r\n", {u"\u0413\u043E\u0431\u043B\u0438\u043D"}},
        {"one name that is not UTF-8 makes the whole file legacy", "C", "1 \xC3\x89p\xC3\xA9" "e\r\n2 Caf\xE9\r\n",
         {u"\u00C3\u2030p\u00C3\u00A9" u"e", u"Caf\u00E9"}},
        {"so does the first name", "C", "1 Caf\xE9\r\n2 \xC3\x89p\xC3\xA9" "e\r\n",
         {u"Caf\u00E9", u"\u00C3\u2030p\u00C3\u00A9" u"e"}},
        {"so does a name whose id is outside the table", "C", "1 \xC3\x89p\xC3\xA9" "e\r\n104 Caf\xE9\r\n2 Orc\r\n",
         {u"\u00C3\u2030p\u00C3\u00A9" u"e", u"Orc"}},
        {"1254, Turkish", "tr_TR.UTF-8", "1 K\xFDz\xFDl \xDE" "eytan\r\n", {u"K\u0131z\u0131l \u015E" u"eytan"}},
        {"bytes the code page cannot map", "el_GR.UTF-8", "1 A\xD2" "B\r\n2 \xE3\xEA\x81z\r\n",
         {u"A\uFFFD" u"B", u"\u03B3\u03BA\uFFFD" u"z"}},
        {"a byte Windows-1252 leaves undefined", "C", "1 Orc\x81" "1\r\n", {u"Orc\uFFFD" u"1"}},
        {"0x9F, which 1253 leaves undefined", "el_GR.UTF-8", "1 A\x9F" "B\r\n", {u"A\uFFFD" u"B"}},
        {"0x9F, which 1255 leaves undefined", "he_IL.UTF-8", "1 A\x9F" "B\r\n", {u"A\uFFFD" u"B"}},
        {"0x9F, which 1257 leaves undefined", "lt_LT.UTF-8", "1 A\x9F" "B\r\n", {u"A\uFFFD" u"B"}},
        {"0x9F, which 874 leaves undefined", "th_TH.UTF-8", "1 A\x9F" "B\r\n", {u"A\uFFFD" u"B"}},
        {"932: a pair whose second byte is none, and a lead byte that ends the name", "ja_JP.UTF-8",
         "1 \x81" "1 Orc\r\n2 Orc\x83\r\n", {u"\uFFFD" u"1 Orc", u"Orc\uFFFD"}},
    };
    return cases;
}

// Names as a list shows them, sorted under en_US: case ignored, an accented
// letter after its base letter, names equal but for case in byte order,
// duplicates and the empty name kept.
inline const std::vector<std::string>& SortedNames()
{
    static const std::vector<std::string> names = {
        "", "apple", "\xC3\xA9" "clair", "Eel", "Goblin", "goblin", "Orc", "Orc", "Zombie",
    };
    return names;
}
