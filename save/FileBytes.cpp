#include "save/FileBytes.h"

#include "platform/FileAccess.h"

#include <cstdio>

namespace zuninfo {

std::optional<std::string> FileBytes(const std::string& path, std::size_t most)
{
    std::FILE* file = OpenNamedFile(path);
    if (file == nullptr)
        return std::nullopt;
    std::string bytes;
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
