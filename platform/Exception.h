#pragma once

#include <stdexcept>
#include <string>

// The program's one error type: it carries a message text, which the
// start-up shows when an error reaches it.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};
