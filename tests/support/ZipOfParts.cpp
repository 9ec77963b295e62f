#include "tests/support/ZipOfParts.h"

#include <zip.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

std::string ZipOfParts(const std::vector<std::pair<std::string, std::string_view>>& parts, const std::string& scratch,
                       bool stored)
{
    zipFile zip = zipOpen64(scratch.c_str(), APPEND_STATUS_CREATE);
    if (zip == nullptr)
        throw std::runtime_error("minizip cannot write " + scratch);
    for (const auto& [name, bytes] : parts) {
        zipOpenNewFileInZip(zip, name.c_str(), nullptr, nullptr, 0, nullptr, 0, nullptr, stored ? 0 : Z_DEFLATED,
                            stored ? 0 : Z_DEFAULT_COMPRESSION);
        zipWriteInFileInZip(zip, bytes.data(), static_cast<unsigned>(bytes.size()));
        zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);
    std::ifstream in(scratch, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
