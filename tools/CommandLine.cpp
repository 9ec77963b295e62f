#include "tools/CommandLine.h"

#include "platform/ProgramArguments.h"
#ifdef _WIN32
#include "platform/WideText.h"

#include <windows.h>
#endif

#include <exception>
#include <iostream>
#include <stdexcept>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace zuninfo {

Arguments ParseArguments(const std::vector<std::string>& arguments, std::span<const Option> options)
{
    Arguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            parsed.operands.insert(parsed.operands.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                   arguments.end());
            break;
        }
        if (argument.size() < 2 || argument[0] != '-') {
            parsed.operands.push_back(argument);
            continue;
        }
        // "--name", "--name=value" or "-s".
        const bool longForm = argument[1] == '-';
        const std::size_t equals = argument.find('=');
        const std::string name = longForm ? argument.substr(2, equals - 2) : argument.substr(1);
        const Option* option = nullptr;
        for (const Option& candidate : options) {
            if (longForm ? name == candidate.name : name.size() == 1 && name[0] == candidate.shortName)
                option = &candidate;
        }
        if (option == nullptr || (equals != std::string::npos && (!longForm || !option->takesValue)))
            throw std::invalid_argument("unknown option '" + argument + "'");
        std::string value;
        if (equals != std::string::npos)
            value = argument.substr(equals + 1);
        else if (option->takesValue && i + 1 < arguments.size())
            value = arguments[++i];
        else if (option->takesValue)
            throw std::invalid_argument("option '" + argument + "' needs a value");
        parsed.options[option->name] = value;
    }
    return parsed;
}

std::filesystem::path NamedPath(const std::string& path)
{
#ifdef _WIN32
    return std::filesystem::path(WideText(path, CP_UTF8));
#else
    return std::filesystem::path(path);
#endif
}

const char* ToolsVersion()
{
    return ZUNINFO_VERSION;
}

int UsageError(std::ostream& err, std::string_view tool, std::string_view problem)
{
    err << tool << ": " << problem << "\nTry '" << tool << " --help'.\n";
    return 2;
}

bool AnswerHelpOrVersion(const Arguments& arguments, std::string_view tool, std::string_view help, std::ostream& out)
{
    if (arguments.Has("help"))
        out << help;
    else if (arguments.Has("version"))
        out << tool << ' ' << ToolsVersion() << '\n';
    else
        return false;
    return true;
}

int ToolMain(int argc, char** argv, std::string_view tool, ToolRun run, int failureCode)
{
#ifdef _WIN32
    // The bytes as they are: CSV's CR LF must not become CR CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    try {
        return run(ProgramArguments(argc, argv), std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << tool << ": could not be completed: " << error.what() << '\n';
        return failureCode;
    }
}

} // namespace zuninfo
