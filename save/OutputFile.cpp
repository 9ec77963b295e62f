#include "save/OutputFile.h"

#include "save/NamedPath.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

namespace zuninfo {

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
int CloseDescriptor(int descriptor) { return _close(descriptor); }
int SyncDescriptor(int descriptor) { return _commit(descriptor); }
long ProcessId() { return _getpid(); }
#else
int CloseDescriptor(int descriptor) { return ::close(descriptor); }
int SyncDescriptor(int descriptor) { return ::fsync(descriptor); }
long ProcessId() { return ::getpid(); }
#endif

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
int CreateNew(const fs::path& path)
{
#ifdef _WIN32
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
}

// Makes a new file beside `target`, named after it, and gives its
// descriptor; `temporary` receives its path.
int CreateBeside(const fs::path& target, const std::string& name, fs::path& temporary)
{
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path file = fs::path(".") += target.filename();
        for (const std::string& part : {std::to_string(ProcessId()), std::to_string(attempt), std::string("tmp")})
            (file += ".") += part;
        temporary = folder / file;
        const int descriptor = CreateNew(temporary);
        if (descriptor >= 0)
            return descriptor;
        if (errno != EEXIST)
            break;
    }
    throw std::runtime_error("cannot write into the folder of '" + name + "': " + std::strerror(errno));
}

} // namespace

OutputFile::OutputFile(const std::string& target)
    : name_(target), target_(NamedPath(target)), descriptor_(CreateBeside(target_, name_, temporary_)),
      buffer_(descriptor_)
{
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
    Discard();
}

void OutputFile::Discard()
{
    if (descriptor_ < 0)
        return;
    CloseDescriptor(descriptor_);
    descriptor_ = -1;
    std::error_code ignored;
    fs::remove(temporary_, ignored);
    pendingPath[0] = 0;
}

void OutputFile::KeepPermissionsOf(const fs::path& path)
{
    std::error_code error;
    const fs::perms permissions = fs::status(path, error).permissions();
    if (!error)
        fs::permissions(temporary_, permissions, error);
}

void OutputFile::Commit()
{
    int error = buffer_.Flush();
    if (error == 0 && SyncDescriptor(descriptor_) != 0)
        error = errno;
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (CloseDescriptor(descriptor) != 0 && error == 0)
        error = errno;
    std::error_code renamed;
    if (error == 0)
        fs::rename(temporary_, target_, renamed);
    if (error != 0 || renamed) {
        std::error_code ignored;
        fs::remove(temporary_, ignored);
        pendingPath[0] = 0;
        throw std::runtime_error("cannot write '" + name_ + "': "
                                 + (renamed ? renamed.message() : std::string(std::strerror(error))));
    }
    pendingPath[0] = 0;
}

void OutputFile::CommitKeeping(const std::string& backup)
{
    const fs::path kept = NamedPath(backup);
    std::error_code error;
    fs::copy_file(target_, kept, fs::copy_options::none, error);
    if (!error)
        fs::permissions(kept, fs::status(target_).permissions(), error);
    if (error) {
        // What a copy cut short left is no backup; a file that was there
        // before is someone else's.
        std::error_code ignored;
        if (error != std::errc::file_exists)
            fs::remove(kept, ignored);
        Discard();
        throw std::runtime_error("cannot keep the old file as '" + backup + "': " + error.message()
                                 + "; nothing is written");
    }
    try {
        Commit();
    } catch (const std::runtime_error&) {
        fs::remove(kept, error);
        throw;
    }
}


} // namespace zuninfo
