#include "tools/JsonText.h"

#include "platform/Conversions.h"
#include "platform/TextEncoding.h"

#include <cstdio>

namespace zuninfo {

std::string JsonString(std::string_view text)
{
    const std::string utf8 = IsUtf8(text) ? std::string(text) : VisibleBytes(text);
    std::string json = "\"";
    for (const char ch : utf8) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            json += '\\';
            json += ch;
        } else if (byte < 0x20) {
            char escaped[7];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", byte);
            json += escaped;
        } else {
            json += ch;
        }
    }
    return json + "\"";
}

} // namespace zuninfo
