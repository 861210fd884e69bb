#pragma once

namespace kalderon {

// White space as the C locale's isspace sees it.
inline bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace kalderon
