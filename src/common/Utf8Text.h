#pragma once

#include <string>
#include <string_view>

namespace kalderon {

// The bytes as UTF-8: as they are when they are valid UTF-8, else read as
// Windows-1252 (its five undefined bytes become U+FFFD).
std::string AsUtf8(std::string_view bytes);

}  // namespace kalderon
