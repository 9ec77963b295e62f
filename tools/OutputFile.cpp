#include "tools/OutputFile.h"

#include "tools/CommandLine.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

namespace zuninfo {

namespace {

namespace fs = std::filesystem;

// The new file's name while it is written, for the signal handler, which
// may use nothing but plain memory.
fs::path::value_type pendingPath[4096];

extern "C" void RemovePendingAndStop(int signal)
{
    if (pendingPath[0] != 0) {
#ifdef _WIN32
        _wunlink(pendingPath);
#else
        ::unlink(pendingPath);
#endif
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Opens a file of that name that did not exist before, for writing.
std::FILE* CreateNew(const fs::path& path)
{
#ifdef _WIN32
    const int descriptor = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    return descriptor < 0 ? nullptr : _fdopen(descriptor, "wb");
#else
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return descriptor < 0 ? nullptr : ::fdopen(descriptor, "wb");
#endif
}

} // namespace

OutputFile::OutputFile(const std::string& target) : name_(target), target_(NamedPath(target))
{
    const fs::path folder = target_.has_parent_path() ? target_.parent_path() : fs::path(".");
#ifdef _WIN32
    const long process = _getpid();
#else
    const long process = ::getpid();
#endif
    for (int attempt = 0; attempt < 100 && buffer_.file == nullptr; ++attempt) {
        fs::path name = fs::path(".") += target_.filename();
        for (const std::string& part : {std::to_string(process), std::to_string(attempt), std::string("tmp")})
            (name += ".") += part;
        temporary_ = folder / name;
        buffer_.file = CreateNew(temporary_);
        if (buffer_.file == nullptr && errno != EEXIST)
            break;
    }
    if (buffer_.file == nullptr)
        throw std::runtime_error("cannot write into the folder of '" + name_ + "': " + std::strerror(errno));
    const auto& name = temporary_.native();
    if (name.size() < std::size(pendingPath)) {
        std::copy(name.begin(), name.end(), pendingPath);
        pendingPath[name.size()] = 0;
        std::signal(SIGINT, RemovePendingAndStop);
        std::signal(SIGTERM, RemovePendingAndStop);
    }
}

OutputFile::~OutputFile()
{
    if (buffer_.file == nullptr)
        return;
    std::fclose(buffer_.file);
    std::error_code ignored;
    fs::remove(temporary_, ignored);
    pendingPath[0] = 0;
}

void OutputFile::Commit()
{
    stream_.flush();
    const bool written = stream_.good() && std::ferror(buffer_.file) == 0;
    const bool closed = std::fclose(buffer_.file) == 0;
    buffer_.file = nullptr;
    std::error_code error;
    if (written && closed)
        fs::rename(temporary_, target_, error);
    if (!written || !closed || error) {
        const std::string why = error ? error.message() : std::string(std::strerror(errno));
        fs::remove(temporary_, error);
        pendingPath[0] = 0;
        throw std::runtime_error("cannot write '" + name_ + "': " + why);
    }
    pendingPath[0] = 0;
}

OutputFile::Buffer::int_type OutputFile::Buffer::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    return std::fputc(c, file) == EOF ? traits_type::eof() : c;
}

std::streamsize OutputFile::Buffer::xsputn(const char* bytes, std::streamsize count)
{
    return static_cast<std::streamsize>(std::fwrite(bytes, 1, static_cast<std::size_t>(count), file));
}

} // namespace zuninfo
