#pragma once

#include <cstdint>

namespace kalderon {

// Unsigned numbers stored least significant byte first.
inline std::uint64_t LittleEndian(const unsigned char* p, int bytes)
{
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}
inline std::uint16_t Le16(const unsigned char* p) { return static_cast<std::uint16_t>(LittleEndian(p, 2)); }
inline std::uint32_t Le32(const unsigned char* p) { return static_cast<std::uint32_t>(LittleEndian(p, 4)); }

}  // namespace kalderon
