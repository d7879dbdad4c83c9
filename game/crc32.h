// CRC-32 as zip, PNG and zlib's crc32() compute it (reflected polynomial
// 0xEDB88320, initial and final value 0xFFFFFFFF), for the saved game's
// checksum on every platform we build for.
#pragma once

#include <cstdint>
#include <string_view>

namespace tavrin::game {

// The CRC-32 of `bytes`; `crc` continues an earlier value (0 to start).
std::uint32_t crc32(std::string_view bytes, std::uint32_t crc = 0);

} // namespace tavrin::game
