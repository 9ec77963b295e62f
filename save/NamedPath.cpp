#include "save/NamedPath.h"

#ifdef _WIN32
#include "platform/WideText.h"

#include <windows.h>
#endif

#include <system_error>

namespace zuninfo {

std::filesystem::path NamedPath(const std::string& path)
{
#ifdef _WIN32
    return std::filesystem::path(WideText(path, CP_UTF8));
#else
    return std::filesystem::path(path);
#endif
}

std::string NamedPathText(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool SameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    const std::filesystem::path x = std::filesystem::weakly_canonical(NamedPath(a), error);
    if (error)
        return a == b;
    const std::filesystem::path y = std::filesystem::weakly_canonical(NamedPath(b), error);
    return error ? a == b : x == y;
}

} // namespace zuninfo
