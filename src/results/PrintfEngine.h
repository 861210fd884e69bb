#pragma once

#include <cstddef>
#include <string>

namespace kalderon {

// One argument of a printf-style format, as the caller passed it.
struct PrintfValue {
    enum Kind { kInt, kLong, kUnsigned, kUnsignedLong, kDouble, kString };
    Kind kind;
    union {
        long long integer;
        unsigned long long unsignedInteger;
        double real;
        const char* text;
    };
};

// Appends `format` with `values` to `out`, byte for byte as snprintf in the
// C locale writes it.  %d, %i, %f, %F and %s with the flags "-+ 0", a
// width and a precision are written here (the fixed-point digits exactly
// rounded, ties to even, as the C library does); every other conversion is
// handed to snprintf.  A '*' width or precision is not supported.
void AppendPrintf(std::string& out, const char* format, const PrintfValue* values, size_t count);

}  // namespace kalderon
