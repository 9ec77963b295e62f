// TEMPORARY stand-in, so that the table window's Save builds and can be
// tried before the save pipeline is merged: it writes nothing. The real
// SaveMonsterFile replaces this file whole.
#include "save/SaveMonsterFile.h"

#include <fstream>
#include <iterator>

namespace zuninfo {

std::optional<FileFingerprint> FingerprintOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    FileFingerprint fingerprint;
    fingerprint.hash = 14695981039346656037ull; // FNV-1a, 64 bits
    for (std::istreambuf_iterator<char> byte(file), end; byte != end; ++byte) {
        fingerprint.hash ^= static_cast<unsigned char>(*byte);
        fingerprint.hash *= 1099511628211ull;
        ++fingerprint.size;
    }
    if (file.bad())
        return std::nullopt;
    return fingerprint;
}

std::optional<std::string> WhyNotEditable(const std::string&)
{
    return std::nullopt;
}

SaveOutcome SaveMonsterFile(const SaveRequest&)
{
    return {SaveStatus::Failed, "saving is not built yet"};
}

} // namespace zuninfo
