// Fuzz target for IsUtf8: on every input its answer must be ICU's, whose
// conversion from UTF-8 fails on the same ill-formed sequences (overlong
// forms, surrogates, code points past U+10FFFF, stray or missing
// continuation bytes) and on nothing else.
#include "fuzz/FuzzCheck.h"
#include "platform/TextEncoding.h"

#include <unicode/ustring.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

using namespace zuninfo;

namespace {

bool IcuTakesAsUtf8(std::string_view bytes)
{
    // UTF-16 never takes more units than UTF-8 takes bytes.
    std::vector<UChar> text(bytes.size() + 1);
    std::int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strFromUTF8(text.data(), static_cast<std::int32_t>(text.size()), &length, bytes.data(),
                  static_cast<std::int32_t>(bytes.size()), &error);
    return U_SUCCESS(error);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > INT_MAX - 1)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(IsUtf8(bytes) == IcuTakesAsUtf8(bytes), "IsUtf8 and ICU differ");
    return 0;
}
