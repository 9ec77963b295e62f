#include "platform/Conversions.h"

#include "platform/Exception.h"

#include <algorithm>
#include <cstdio>

std::int32_t StrToInt(std::string_view text)
{
    zuninfo::IntToken token;
    for (const char byte : text)
        token.Append(static_cast<unsigned char>(byte));
    return token.Value();
}

std::string IntToStr(std::int32_t value)
{
    return std::to_string(value);
}

namespace zuninfo {

std::string VisibleBytes(std::string_view bytes)
{
    std::string visible;
    visible.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        switch (byte) {
        case '\r': visible += "\\r"; break;
        case '\n': visible += "\\n"; break;
        case '\t': visible += "\\t"; break;
        case '\\': visible += "\\\\"; break;
        default:
            if (byte < 0x20 || byte >= 0x7f) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02X", byte);
                visible += hex;
            } else {
                visible += ch;
            }
        }
    }
    return visible;
}

std::string VisibleStart(std::string_view first, std::uint64_t length)
{
    std::string shown = VisibleBytes(first.substr(0, kVisibleStartBytes));
    if (length > kVisibleStartBytes)
        shown += "... (" + std::to_string(length) + " bytes)";
    return shown;
}

std::int32_t IntToken::Value() const
{
    if (state_ == State::Digits && magnitude_ <= kMaxMagnitude - (negative_ ? 0 : 1))
        return negative_ ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude_))
                         : static_cast<std::int32_t>(magnitude_);

    throw Exception("'" + Shown() + "' is not a valid integer value");
}

std::string IntToken::Shown() const
{
    return VisibleStart(std::string_view(shown_, std::min<std::uint64_t>(length_, kShownBytes)), length_);
}

} // namespace zuninfo
