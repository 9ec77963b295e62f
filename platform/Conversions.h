#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Text to number: an optional '+' or '-', then one or more decimal digits,
// with a value in the signed 32-bit range. Anything else (an empty text, a
// lone sign, spaces, tabs, CR, LF, letters, a value out of range) raises an
// Exception whose message shows the text.
std::int32_t StrToInt(std::string_view text);

// Number to text: plain decimal, '-' for negative values, no padding.
std::string IntToStr(std::int32_t value);

namespace zuninfo {

// The bytes as printable ASCII for a message: CR, LF and TAB as \r, \n and
// \t, a backslash as \\, other control bytes and bytes from 128 up as \xNN.
std::string VisibleBytes(std::string_view bytes);

// VisibleBytes of the first bytes of a text of `length` bytes, for a message
// that shows a text of any length: at most `kVisibleStartBytes` of them,
// followed by "... (<length> bytes)" when the text is longer.
inline constexpr std::size_t kVisibleStartBytes = 48;
std::string VisibleStart(std::string_view first, std::uint64_t length);

// Builds a number token one byte at a time and converts it exactly as
// StrToInt converts the whole text, while holding only a bounded amount of
// it: a token of any length (a gigabyte of leading zeros, say) costs a few
// bytes of memory.
class IntToken {
public:
    void Clear() { *this = IntToken(); }

    void Append(unsigned char byte)
    {
        if (length_ < kShownBytes)
            shown_[length_] = static_cast<char>(byte);
        ++length_;
        switch (state_) {
        case State::Start:
            if (byte == '+' || byte == '-') {
                negative_ = byte == '-';
                state_ = State::AfterSign;
                return;
            }
            [[fallthrough]];
        case State::AfterSign:
        case State::Digits:
            if (byte >= '0' && byte <= '9') {
                // Saturate just past the largest magnitude, 2^31, so that
                // any longer run of digits stays out of range.
                magnitude_ = magnitude_ * 10 + (byte - '0');
                if (magnitude_ > kMaxMagnitude)
                    magnitude_ = kMaxMagnitude + 1;
                state_ = State::Digits;
            } else {
                state_ = State::Invalid;
            }
            return;
        case State::Invalid:
            return;
        }
    }

    // The token's value, or an Exception like StrToInt's.
    std::int32_t Value() const;

    // The token as a message shows it: VisibleBytes of its first bytes, and
    // for a longer token "... (<length> bytes)" after them.
    std::string Shown() const;

private:
    enum class State : std::uint8_t { Start, AfterSign, Digits, Invalid };
    static constexpr std::uint64_t kMaxMagnitude = 2147483648u;
    static constexpr std::uint64_t kShownBytes = kVisibleStartBytes;

    State state_ = State::Start;
    bool negative_ = false;
    std::uint64_t magnitude_ = 0;
    std::uint64_t length_ = 0;
    char shown_[kShownBytes] = {};
};

} // namespace zuninfo
