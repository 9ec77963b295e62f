#pragma once

#include "platform/TextEncoding.h"
#include "platform/WideText.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zuninfo {

// Names are bytes until they are shown: these turn them into the UTF-16 text
// of Windows' controls, and put them in the order their lists show them.

// The user's locale as Windows names it ("en-US", "ko-KR").
std::wstring UserLocaleName();

// The text of the bytes: UTF-8, or the ANSI code page Windows gives
// `locale`. A byte sequence the code page cannot map is shown as U+FFFD and
// costs nothing of the rest of the name.
std::wstring ShownText(std::string_view bytes, TextEncoding encoding, std::wstring_view locale);

// Text of the program's own (captions, hints, messages) as UTF-16.
inline std::wstring Utf16(std::string_view utf8)
{
    return ShownText(utf8, TextEncoding::Utf8, {});
}

// The items of a list that shows these names (all read in `encoding`): their
// text, ordered as `locale` compares it with case ignored; names equal that
// way in the order of their bytes.
std::vector<std::wstring> ListItems(const std::vector<std::string>& names, TextEncoding encoding,
                                    std::wstring_view locale);

// The same rules for the table of all monsters: names decoded as ShownText
// decodes them, compared as ListItems orders them, and case folded as the
// locale lowers case.
class Win32TextRules final : public TextRules {
public:
    explicit Win32TextRules(std::wstring locale = UserLocaleName()) : locale_(std::move(locale)) {}

    std::string Shown(std::string_view bytes, TextEncoding encoding) const override;
    int Collate(const std::string& a, const std::string& b) const override;
    std::string Folded(const std::string& text) const override;

private:
    std::wstring locale_;
};

} // namespace zuninfo
