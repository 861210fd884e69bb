#pragma once

#include <string>
#include <type_traits>

namespace kalderon {

// A zero of either sign as +0.0, so that no text ever shows "-0.0".
inline double WithoutNegativeZero(double value) { return value == 0.0 ? 0.0 : value; }

namespace detail {

template <typename T>
auto PrintfArgument(const T& value)
{
    if constexpr (std::is_floating_point_v<T>)
        return WithoutNegativeZero(static_cast<double>(value));
    else if constexpr (std::is_same_v<T, std::string>)
        return value.c_str();
    else
        return value;
}

std::string FormatPrintf(const char* format, ...);

}  // namespace detail

// printf-style formatting (C conventions) into a string.  Every floating
// point argument is passed through WithoutNegativeZero; std::string
// arguments are passed as C strings.
template <typename... Args>
std::string FormatText(const std::string& format, const Args&... args)
{
    return detail::FormatPrintf(format.c_str(), detail::PrintfArgument(args)...);
}

}  // namespace kalderon
