#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kalderon {

// Writes the UTF-8 bytes of a code point below 0x110000 to `out` and gives
// their count.
size_t EncodeUtf8(std::uint32_t codePoint, char out[4]);

// Appends UTF-16 code units as UTF-8; a lone surrogate becomes U+FFFD.
void AppendUtf16AsUtf8(std::string& out, const std::uint16_t* units, size_t count);

// The same for little-endian UTF-16 bytes (an odd last byte is dropped).
std::string Utf16LeToUtf8(const unsigned char* bytes, size_t size);

}  // namespace kalderon
