#include "platform/PathMapping.h"

#include "platform/Ascii.h"

#include <cstdlib>
#include <optional>
#include <system_error>
#include <utility>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <vector>
#endif

namespace fs = std::filesystem;

namespace zuninfo {

namespace {

// Whether something is at the path, without following a final symlink: a
// dangling symlink of exactly the wanted name is the entry the user named.
// Errors (a folder on the way that cannot be searched) count as "nothing".
bool EntryExists(const fs::path& path)
{
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (ec)
        return false;
    return status.type() != fs::file_type::not_found && status.type() != fs::file_type::none;
}

// The entry of `folder` whose name equals `name` ignoring ASCII case, the
// smallest in byte order when several do. Nothing when the folder cannot be
// read or holds no such entry.
std::optional<fs::path> FindCaseVariant(const fs::path& folder, const fs::path& wantedName)
{
    const auto& wanted = wantedName.native();
    std::optional<fs::path::string_type> best;

    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        const fs::path name = it->path().filename();
        const auto& candidate = name.native();
        if (AsciiCaseEqual(candidate, wanted) && (!best || candidate < *best))
            best = candidate;
    }
    if (!best)
        return std::nullopt;
    return fs::path(std::move(*best));
}

fs::path ResolveComponents(const fs::path& path)
{
    fs::path result = path.root_path();
    bool resolving = true;

    for (const fs::path& component : path.relative_path()) {
        // Once a component had no match, nothing below it exists either.
        if (!resolving || component.empty() || component == "." || component == "..") {
            result /= component;
            continue;
        }
        if (EntryExists(result / component)) {
            result /= component;
            continue;
        }
        // A relative path is looked up from the current folder.
        const fs::path folder = result.empty() ? fs::path(".") : result;
        if (std::optional<fs::path> match = FindCaseVariant(folder, component)) {
            result /= *match;
        } else {
            result /= component;
            resolving = false;
        }
    }
    return result;
}

#ifndef _WIN32
std::string PasswordDatabaseHome()
{
    long sizeHint = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(sizeHint > 0 ? static_cast<std::size_t>(sizeHint) : 1024);
    for (;;) {
        passwd entry{};
        passwd* found = nullptr;
        const int error = getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < (std::size_t(1) << 20)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error != 0 || found == nullptr || found->pw_dir == nullptr)
            return {};
        return found->pw_dir;
    }
}
#endif

} // namespace

std::string MapWindowsPath(std::string_view windowsPath, const std::string& home)
{
#ifdef _WIN32
    (void)home;
    return std::string(windowsPath);
#else
    std::string local;
    std::string_view rest = windowsPath;

    const bool hasDrive = rest.size() >= 2 && rest[1] == ':'
        && ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= 'a' && rest[0] <= 'z'));
    if (hasDrive) {
        const char drive = AsciiLower(rest[0]);
        rest.remove_prefix(2);

        // "/home/ann/" and "/home/ann" give the same result.
        std::string_view homeView = home;
        while (!homeView.empty() && homeView.back() == '/')
            homeView.remove_suffix(1);
        local = homeView;
        if (drive == 'c') {
            local += "/.wine/drive_c";
        } else {
            local += "/.wine/dosdevices/";
            local += drive;
            local += ':';
        }
        // "C:\a" and the drive-relative "C:a" both land inside the drive.
        if (!rest.empty() && rest.front() != '\\' && rest.front() != '/')
            local += '/';
    }

    local.reserve(local.size() + rest.size());
    for (const char c : rest)
        local += (c == '\\') ? '/' : c;
    return local;
#endif
}

std::string HomeFolder()
{
#ifdef _WIN32
    const char* profile = std::getenv("USERPROFILE");
    return (profile != nullptr) ? std::string(profile) : std::string();
#else
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0')
        return home;
    return PasswordDatabaseHome();
#endif
}

fs::path ResolvePathCase(const fs::path& path)
{
    // The file system calls all report through error codes; what is left to
    // throw is allocation, and then the path as given is the best answer.
    try {
        return ResolveComponents(path);
    } catch (...) {
        return path;
    }
}

fs::path ResolveNameCase(const fs::path& folder, const fs::path& name)
{
    try {
        if (!EntryExists(folder / name)) {
            if (std::optional<fs::path> match = FindCaseVariant(folder, name))
                return folder / *match;
        }
        return folder / name;
    } catch (...) {
        return folder / name;
    }
}

fs::path LocalDataPath(std::string_view windowsPath)
{
    return ResolvePathCase(fs::path(MapWindowsPath(windowsPath, HomeFolder())));
}

} // namespace zuninfo
