#pragma once

#include <cstdint>

namespace kalderon {

// White space as the C locale's isspace sees it: tab, line feed, vertical
// tab, form feed, carriage return and space, told by one bit test.
inline bool IsCSpace(char c)
{
    constexpr std::uint64_t kSpaces = (1ull << '\t') | (1ull << '\n') | (1ull << '\v') | (1ull << '\f') |
                                      (1ull << '\r') | (1ull << ' ');
    const auto code = static_cast<unsigned char>(c);
    return code <= ' ' && ((kSpaces >> code) & 1u) != 0;
}

}  // namespace kalderon
