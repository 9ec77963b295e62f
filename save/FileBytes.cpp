#include "save/FileBytes.h"

#include "platform/FileAccess.h"
#include "save/NamedPath.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace zuninfo {

std::optional<std::string> FileBytes(const std::string& path, std::size_t most)
{
    // A file larger than that is not read at all, and one within it is
    // read into room made once.
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(NamedPath(path), error);
    if (!error && size > most)
        return std::nullopt;
    std::FILE* file = OpenNamedFile(path);
    if (file == nullptr)
        return std::nullopt;
    std::string bytes;
    if (!error)
        bytes.reserve(static_cast<std::size_t>(size) + 1);
    char buffer[64 * 1024];
    bool whole = true;
    for (std::size_t got; whole && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        bytes.append(buffer, got);
        whole = bytes.size() <= most;
    }
    whole = whole && std::ferror(file) == 0;
    std::fclose(file);
    return whole ? std::optional(std::move(bytes)) : std::nullopt;
}

} // namespace zuninfo
