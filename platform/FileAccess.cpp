#include "platform/FileAccess.h"

#include "platform/PathMapping.h"

#include <filesystem>
#include <system_error>

namespace {

class SystemFileAccess final : public FileAccess {
public:
    std::FILE* Open(const std::string& path) override
    {
        const std::filesystem::path local = LocalDataPath(path);
        // Only a regular file (or a link to one) is a data file: fopen would
        // happily open a folder and then read nothing, or wait forever on a
        // named pipe.
        std::error_code error;
        if (!std::filesystem::is_regular_file(local, error))
            return nullptr;
        return std::fopen(local.string().c_str(), "rb");
    }

    void Close(std::FILE* file) override { std::fclose(file); }
};

} // namespace

FileAccess& SystemFiles()
{
    static SystemFileAccess files;
    return files;
}
