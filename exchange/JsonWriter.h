#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace zuninfo {

// A JSON string, quotes included. Text that is not UTF-8 (a file name, say)
// is made visible first, so that the output is always valid JSON.
std::string JsonString(std::string_view text);

// JSON text written value by value: the commas, the escapes and the line
// breaks are its business. A container is written on one line, {"a": 1,
// "b": 2}, or with each member on a line of its own, indented two spaces
// past the line the container opens on; an empty one is {} or [].
class JsonWriter {
public:
    enum class Layout { Inline, Lines };

    explicit JsonWriter(std::ostream& out) : out_(out) {}

    JsonWriter& Object(Layout layout = Layout::Inline);
    JsonWriter& Array(Layout layout = Layout::Inline);
    // Closes the innermost container.
    JsonWriter& End();

    // The name of the next member of an object.
    JsonWriter& Key(std::string_view key);
    JsonWriter& String(std::string_view text);
    JsonWriter& Number(std::int64_t number);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    JsonWriter& Member(std::string_view key, std::string_view text) { return Key(key).String(text); }
    JsonWriter& Member(std::string_view key, const char* text) { return Key(key).String(text); }
    JsonWriter& Member(std::string_view key, std::int64_t number) { return Key(key).Number(number); }
    JsonWriter& Member(std::string_view key, bool value) { return Key(key).Bool(value); }

private:
    void BeforeValue();
    JsonWriter& Open(char bracket, Layout layout);

    struct Container {
        char close;
        Layout layout;
        int indent; // of its members' lines
        bool empty = true;
    };
    std::ostream& out_;
    std::vector<Container> open_;
    int lineIndent_ = 0; // of the line being written
    bool afterKey_ = false;
};

} // namespace zuninfo
