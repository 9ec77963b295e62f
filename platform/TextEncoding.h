#pragma once

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zuninfo {

// Names in the data files are bytes. The tables keep them as they are; a
// front end turns them into text only where it shows them, by these rules.

// How one list file's names are read: as UTF-8 when every name in the file
// is valid UTF-8, else all of them in the ANSI code page of the user's locale.
enum class TextEncoding { Utf8, Ansi };

// Whether the bytes are well-formed UTF-8: no stray or missing continuation
// bytes, no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view bytes);

// The ANSI code page Windows gives a locale: 932 Japanese, 949 Korean, 936
// Simplified and 950 Traditional Chinese, 874 Thai, 1250 Central European,
// 1251 Cyrillic, 1253 Greek, 1254 Turkish, 1255 Hebrew, 1256 Arabic, 1257
// Baltic, 1258 Vietnamese, and 1252 for every other locale, C and POSIX
// included. Takes POSIX names ("ko_KR.UTF-8", "sr_RS@latin") and BCP 47
// names ("ko-KR", "zh-Hant-TW").
int AnsiCodePage(std::string_view locale);

// After decoding a name from an ANSI code page: the characters that stand for
// bytes the code page cannot map become U+FFFD. Those are U+001A, which
// decoders put in for a malformed sequence, and the C1 controls U+0080 to
// U+009F, which Windows gives the bytes its single-byte code pages leave
// undefined. Every other character stays, so nothing after such a byte is
// lost.
void MarkUnmappable(char16_t* text, std::size_t length);

// How a front end shows names and compares the text it shows, by the rules
// above, for views that show names beside other text (the table of all
// monsters). Texts are UTF-8.
class TextRules {
public:
    virtual ~TextRules() = default;
    // A name's bytes read in `encoding`, as the window's fields show them.
    virtual std::string Shown(std::string_view bytes, TextEncoding encoding) const = 0;
    // The lists' comparison of two shown texts (the `collate` of
    // ListItemsInOrder below): case ignored; negative, zero or positive.
    virtual int Collate(const std::string& a, const std::string& b) const = 0;
    // The text with case folded, so that texts equal but for case fold alike.
    virtual std::string Folded(const std::string& text) const = 0;
};

// The order of the lists' names: by `collation`, the user's locale's
// comparison of the two names as shown, case ignored (negative, zero or
// positive); names it finds equal in the order of their bytes, so that the
// order is total and the same on every run.
inline bool ListOrderLess(int collation, std::string_view a, std::string_view b)
{
    return collation != 0 ? collation < 0 : a < b;
}

// The items of a list that shows these names: `shown`, the text of each
// name as the front end decodes it, in the lists' order (ListOrderLess, with
// `collate` comparing two texts).
template <typename Text, typename Collate>
std::vector<Text> ListItemsInOrder(const std::vector<std::string>& names, std::vector<Text> shown, Collate collate)
{
    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return ListOrderLess(collate(shown[a], shown[b]), names[a], names[b]);
    });
    std::vector<Text> items;
    items.reserve(order.size());
    for (const std::size_t index : order)
        items.push_back(std::move(shown[index]));
    return items;
}

} // namespace zuninfo
