#pragma once

#include <stdexcept>
#include <string>

// The program's one error type: it carries a message text, which the
// start-up shows when an error reaches it.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

namespace zuninfo {

// Runs the program's start-up and message loop. An error that leaves them
// ends the program after `showException` has shown its message: an
// Exception's own, or an empty one for an error of any other type. The exit
// code is always 0.
template <typename Run, typename ShowException>
int RunApplication(Run run, ShowException showException)
{
    try {
        run();
    } catch (const Exception& error) {
        showException(error.what());
    } catch (...) {
        showException("");
    }
    return 0;
}

} // namespace zuninfo
