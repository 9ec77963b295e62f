#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace zuninfo {

// The most bytes of a monster file kept as it was loaded, so that a save
// changes exactly what was shown: far more than the 500 records the viewer
// holds take, with comments between them.
inline constexpr std::size_t kMostKeptBytes = std::size_t{64} << 20;

// The bytes of the file at `path`, read as it stands; none when it cannot be
// read whole, or holds more than `most` bytes.
std::optional<std::string> FileBytes(const std::string& path, std::size_t most = kMostKeptBytes);

} // namespace zuninfo
