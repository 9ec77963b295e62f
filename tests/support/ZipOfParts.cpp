#include "tests/support/ZipOfParts.h"

#include <zip.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

// The zip being written, and the place reached in it.
struct Written {
    std::string bytes;
    ZPOS64_T at = 0;
};

voidpf ZCALLBACK Open(voidpf opaque, const void*, int)
{
    return opaque;
}

uLong ZCALLBACK Read(voidpf, voidpf, void*, uLong)
{
    return 0;
}

uLong ZCALLBACK Write(voidpf, voidpf stream, const void* from, uLong size)
{
    auto& zip = *static_cast<Written*>(stream);
    const std::size_t at = static_cast<std::size_t>(zip.at);
    zip.bytes.resize(std::max(zip.bytes.size(), at + size));
    std::memcpy(zip.bytes.data() + at, from, size);
    zip.at += size;
    return size;
}

ZPOS64_T ZCALLBACK Tell(voidpf, voidpf stream)
{
    return static_cast<Written*>(stream)->at;
}

long ZCALLBACK Seek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto& zip = *static_cast<Written*>(stream);
    zip.at = offset + (origin == ZLIB_FILEFUNC_SEEK_SET   ? 0
                       : origin == ZLIB_FILEFUNC_SEEK_CUR ? zip.at
                                                          : zip.bytes.size());
    return 0;
}

int ZCALLBACK Close(voidpf, voidpf)
{
    return 0;
}

} // namespace

std::string ZipOfParts(const std::vector<std::pair<std::string, std::string_view>>& parts, bool stored)
{
    Written written;
    zlib_filefunc64_def calls{Open, Read, Write, Tell, Seek, Close, Close, &written};
    zipFile zip = zipOpen2_64("parts.zip", APPEND_STATUS_CREATE, nullptr, &calls);
    if (zip == nullptr)
        throw std::runtime_error("minizip made no zip");
    for (const auto& [name, bytes] : parts) {
        zipOpenNewFileInZip64(zip, name.c_str(), nullptr, nullptr, 0, nullptr, 0, nullptr, stored ? 0 : Z_DEFLATED,
                              stored ? 0 : Z_DEFAULT_COMPRESSION, bytes.size() >= 0xFFFFFFFFu);
        zipWriteInFileInZip(zip, bytes.data(), static_cast<unsigned>(bytes.size()));
        zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);
    return written.bytes;
}
