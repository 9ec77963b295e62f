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
        std::FILE* file = std::fopen(local.string().c_str(), "rb");
        // The loaders take one byte at a time from the stream's buffer; a
        // 64 KiB buffer refills it with a sixteenth of the system calls of
        // the usual 4 KiB (1 GiB of comment lines: 1.51 s before, 1.29 s after).
        if (file != nullptr)
            std::setvbuf(file, nullptr, _IOFBF, 64 * 1024);
        return file;
    }

    void Close(std::FILE* file) override { std::fclose(file); }
};

} // namespace

FileAccess& SystemFiles()
{
    static SystemFileAccess files;
    return files;
}
