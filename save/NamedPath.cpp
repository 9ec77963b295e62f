#include "save/NamedPath.h"

#ifdef _WIN32
#include "platform/WideText.h"

#include <windows.h>
#endif

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

} // namespace zuninfo
