#pragma once

#include <array>
#include <string>
#include <type_traits>

#include "common/PrintfEngine.h"

namespace kalderon {

// A zero of either sign as +0.0, so that no text ever shows "-0.0".
inline double WithoutNegativeZero(double value) { return value == 0.0 ? 0.0 : value; }

namespace detail {

template <typename T>
PrintfValue PrintfArgument(const T& value)
{
    PrintfValue v{};
    if constexpr (std::is_floating_point_v<T>) {
        v.kind = PrintfValue::kDouble;
        v.real = WithoutNegativeZero(static_cast<double>(value));
    } else if constexpr (std::is_same_v<T, std::string>) {
        v.kind = PrintfValue::kString;
        v.text = value.c_str();
    } else if constexpr (std::is_convertible_v<T, const char*>) {
        v.kind = PrintfValue::kString;
        v.text = value;
    } else if constexpr (std::is_signed_v<T> || std::is_enum_v<T>) {
        v.kind = sizeof(T) > sizeof(int) ? PrintfValue::kLong : PrintfValue::kInt;
        v.integer = static_cast<long long>(value);
    } else {
        static_assert(std::is_unsigned_v<T>, "a printf argument is a number or a string");
        v.kind = sizeof(T) > sizeof(int) ? PrintfValue::kUnsignedLong : PrintfValue::kUnsigned;
        v.unsignedInteger = static_cast<unsigned long long>(value);
    }
    return v;
}

}  // namespace detail

// The arguments of a printf-style format as AppendPrintf takes them, for a
// caller that hands them on.
template <typename... Args>
std::array<PrintfValue, sizeof...(Args)> PrintfArguments(const Args&... args)
{
    return {detail::PrintfArgument(args)...};
}

// printf-style formatting (C conventions), appended to `out`.  Every
// floating point argument is passed through WithoutNegativeZero; std::string
// arguments are passed as C strings.
template <typename... Args>
void AppendText(std::string& out, const char* format, const Args&... args)
{
    const auto values = PrintfArguments(args...);
    AppendPrintf(out, format, values.data(), values.size());
}
template <typename... Args>
void AppendText(std::string& out, const std::string& format, const Args&... args)
{
    AppendText(out, format.c_str(), args...);
}

template <typename... Args>
void AppendText(std::string& out, const PreparedFormat& format, const Args&... args)
{
    const auto values = PrintfArguments(args...);
    AppendPrintf(out, format, values.data(), values.size());
}

// The same into a new string.
template <typename... Args>
std::string FormatText(const char* format, const Args&... args)
{
    std::string text;
    AppendText(text, format, args...);
    return text;
}
template <typename... Args>
std::string FormatText(const std::string& format, const Args&... args)
{
    return FormatText(format.c_str(), args...);
}

}  // namespace kalderon
