// The checked buffer in a file of its own: every tool writes its standard
// output through it, and only -o needs the rest of OutputFile.
#include "save/OutputFile.h"

#include <algorithm>
#include <cerrno>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zuninfo {

namespace {

#ifdef _WIN32
int WriteSome(int descriptor, const char* bytes, std::size_t count)
{
    return _write(descriptor, bytes, static_cast<unsigned>(std::min<std::size_t>(count, 1u << 30)));
}
#else
long WriteSome(int descriptor, const char* bytes, std::size_t count)
{
    return ::write(descriptor, bytes, count);
}
#endif

} // namespace

CheckedBuffer::CheckedBuffer(int descriptor) : descriptor_(descriptor)
{
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

void CheckedBuffer::WriteOut(const char* bytes, std::size_t count)
{
    while (count > 0 && error_ == 0) {
        const auto written = WriteSome(descriptor_, bytes, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error_ = written < 0 ? errno : EIO;
            break;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
}

int CheckedBuffer::Flush()
{
    WriteOut(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_;
}

CheckedBuffer::int_type CheckedBuffer::overflow(int_type c)
{
    Flush();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int CheckedBuffer::sync()
{
    return Flush() == 0 ? 0 : -1;
}

} // namespace zuninfo
