#include "tools/CommandLine.h"

#include "data/FileFinding.h"
#include "platform/ProgramArguments.h"
#include "save/OutputFile.h"
#ifdef _WIN32
#include "platform/WideText.h"

#include <windows.h>
#endif

#include <cerrno>
#include <csignal>
#include <cstring>
#include <exception>
#include <iostream>
#include <new>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zuninfo {

namespace {

// A tool's options: its own, then those every tool takes.
std::vector<Option> AllOptions(std::span<const Option> own)
{
    std::vector<Option> all(own.begin(), own.end());
    all.insert(all.end(), {kListsOption, kHelpOption, kVersionOption});
    return all;
}

} // namespace

ParsedOptions Tool::Parse(const std::vector<std::string>& arguments) const
{
    return ParseOptions(arguments, AllOptions(options));
}

std::string Tool::Usage() const
{
    return "Usage: " + std::string(name) + " " + std::string(synopsis) + "\n";
}

std::string Tool::Help() const
{
    std::string help = Usage();
    for (const std::string_view part : about)
        help += part;
    return help + "\n" + OptionsHelp(AllOptions(options)) + "\n"
           + WrappedText("Exit status: " + std::string(zeroMeans) + ", " + std::string(oneMeans)
                             + ", 2 for trouble: a usage error, a file named that cannot be read, an output that "
                               "cannot be written, or memory running out.",
                         79)
           + "\n";
}

int Tool::UsageError(std::ostream& err, std::string_view problem) const
{
    err << UsageErrorText(name, Usage(), problem);
    return kExitTrouble;
}

bool Tool::AnsweredHelpOrVersion(const ParsedOptions& parsed, std::ostream& out) const
{
    if (parsed.Has("help"))
        out << Help();
    else if (parsed.Has("version"))
        out << name << ' ' << ToolsVersion() << '\n';
    else
        return false;
    return true;
}

std::string ChosenFormat(const ParsedOptions& parsed, std::string_view otherwise)
{
    return parsed.Has("json") ? "json" : parsed.Value("format", otherwise);
}

const char* ToolsVersion()
{
    return ZUNINFO_VERSION;
}

int ToolMain(int argc, char** argv, std::string_view tool, ToolRun run)
{
#ifdef _WIN32
    // The bytes as they are: CSV's CR LF must not become CR CR LF, nor an
    // edited export's CR LF read as LF.
    _setmode(0, _O_BINARY);
    _setmode(1, _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    CheckedBuffer standardOutput(1);
    std::ostream out(&standardOutput);
    int code = kExitTrouble;
    try {
        code = run(ProgramArguments(argc, argv), out, std::cerr);
    } catch (const std::bad_alloc&) {
        std::cerr << tool << ": ran out of memory\n";
    } catch (const std::exception& error) {
        std::cerr << tool << ": could not be completed: " << error.what() << '\n';
    }
    int error = standardOutput.Flush();
#ifdef _WIN32
    if (error == 0 && _close(1) != 0 && errno != EBADF)
        error = errno;
    if (error == EPIPE)
        return kExitTrouble; // the reader has gone: nobody is left to tell
#else
    if (error == 0 && ::close(1) != 0 && errno != EBADF)
        error = errno;
    if (error == EPIPE) {
        // The reader has gone: end as the broken pipe would have ended us.
        std::signal(SIGPIPE, SIG_DFL);
        std::raise(SIGPIPE);
        return kExitTrouble;
    }
#endif
    if (error != 0) {
        std::cerr << tool << ": cannot write standard output: " << std::strerror(error) << '\n';
        return kExitTrouble;
    }
    return code;
}

} // namespace zuninfo
