#pragma once

// Helpers shared by the fuzz targets: a check that stops the run with a
// message, and a conversion of whole number tokens written apart from the
// program's own (platform/Conversions), so the targets can compare the two.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

// Stops the fuzzer (which then saves the input) when `condition` is false.
#define FUZZ_CHECK(condition, what)                                                               \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "fuzz check failed at %s:%d: %s\n", __FILE__, __LINE__, (what)); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)

// An optional '+' or '-', then one or more decimal digits, in the signed
// 32-bit range; anything else has no value. Works on the whole text: strips
// leading zeros, then compares lengths before it computes anything.
inline std::optional<std::int32_t> ReferenceInt(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    while (text.size() > 1 && text.front() == '0')
        text.remove_prefix(1);
    if (text.size() > 10)
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text)
        value = value * 10 + (c - '0');
    if (negative)
        value = -value;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// The message a bad token gives: its first 48 bytes made visible, and its
// length when it is longer.
inline std::string ReferenceBadTokenMessage(std::string_view token)
{
    std::string shown;
    for (const char ch : token.substr(0, 48)) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte == '\r')
            shown += "\\r";
        else if (byte == '\n')
            shown += "\\n";
        else if (byte == '\t')
            shown += "\\t";
        else if (byte == '\\')
            shown += "\\\\";
        else if (byte < 0x20 || byte >= 0x7f) {
            static const char kHex[] = "0123456789ABCDEF";
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 15];
        } else {
            shown += ch;
        }
    }
    if (token.size() > 48)
        shown += "... (" + std::to_string(token.size()) + " bytes)";
    return "'" + shown + "' is not a valid integer value";
}
