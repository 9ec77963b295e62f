#include "platform/ProgramArguments.h"

#ifdef _WIN32
#include "platform/WideText.h"

#include <windows.h>

#include <shellapi.h>
#endif

namespace zuninfo {

std::vector<std::string> ProgramArguments([[maybe_unused]] int argc, [[maybe_unused]] char** argv)
{
#ifdef _WIN32
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words != nullptr && i < count; ++i)
        arguments.push_back(Utf8(words[i]));
    LocalFree(words);
    return arguments;
#else
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
#endif
}

} // namespace zuninfo
