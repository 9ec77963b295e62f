#pragma once

#include "platform/Ascii.h"
#include "platform/TextEncoding.h"

#include <string>
#include <string_view>

// Text rules for the core's tests of the table, without a toolkit:
// names as UTF-8 (a legacy list's bytes as Latin-1), case ignored in ASCII.
class AsciiRules final : public zuninfo::TextRules {
public:
    std::string Shown(std::string_view bytes, zuninfo::TextEncoding encoding) const override
    {
        if (encoding == zuninfo::TextEncoding::Utf8)
            return std::string(bytes);
        std::string text;
        for (const char byte : bytes) {
            const auto c = static_cast<unsigned char>(byte);
            if (c < 0x80) {
                text += byte;
            } else {
                text += static_cast<char>(0xC0 | (c >> 6));
                text += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return text;
    }
    int Collate(const std::string& a, const std::string& b) const override { return Folded(a).compare(Folded(b)); }
    std::string Folded(const std::string& text) const override
    {
        std::string folded = text;
        for (char& c : folded)
            c = zuninfo::AsciiLower(c);
        return folded;
    }
};
