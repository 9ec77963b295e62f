#include "exchange/JsonWriter.h"

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

void JsonWriter::BeforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (open_.empty())
        return;
    Container& container = open_.back();
    if (!container.empty)
        out_ << ',';
    if (container.layout == Layout::Lines) {
        out_ << '\n' << std::string(static_cast<std::size_t>(container.indent), ' ');
        lineIndent_ = container.indent;
    } else if (!container.empty) {
        out_ << ' ';
    }
    container.empty = false;
}

JsonWriter& JsonWriter::Open(char bracket, Layout layout)
{
    BeforeValue();
    out_ << bracket;
    open_.push_back({bracket == '{' ? '}' : ']', layout, lineIndent_ + 2});
    return *this;
}

JsonWriter& JsonWriter::Object(Layout layout)
{
    return Open('{', layout);
}

JsonWriter& JsonWriter::Array(Layout layout)
{
    return Open('[', layout);
}

JsonWriter& JsonWriter::End()
{
    const Container container = open_.back();
    open_.pop_back();
    if (container.layout == Layout::Lines && !container.empty) {
        lineIndent_ = container.indent - 2;
        out_ << '\n' << std::string(static_cast<std::size_t>(lineIndent_), ' ');
    }
    out_ << container.close;
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key)
{
    BeforeValue();
    out_ << JsonString(key) << ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view text)
{
    BeforeValue();
    out_ << JsonString(text);
    return *this;
}

JsonWriter& JsonWriter::Number(std::int64_t number)
{
    BeforeValue();
    out_ << number;
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value)
{
    BeforeValue();
    out_ << (value ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::Null()
{
    BeforeValue();
    out_ << "null";
    return *this;
}

} // namespace zuninfo
