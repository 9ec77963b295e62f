#pragma once

#include "platform/CodePageText.h"
#include "platform/TextEncoding.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zuninfo {

// Names in the order their lists show them, and the same rules for the
// table of all monsters, on the decoding of platform/CodePageText.h.

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
