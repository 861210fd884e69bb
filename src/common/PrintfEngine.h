#pragma once

#include <cstddef>
#include <string>
#include <vector>

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

// One conversion of a format: flags, width, precision, length modifier and
// conversion character.
struct PrintfConversion {
    bool left = false, plus = false, space = false, zero = false, alternate = false;
    int width = 0;
    int precision = -1;  // none given
    char length[3] = {};
    char conversion = 0;
};

// A format taken apart once, for the many lines of a table: AppendPrintf
// with it writes exactly what it writes with the format's text.
class PreparedFormat {
public:
    explicit PreparedFormat(const std::string& format);

    const std::string& text() const { return text_; }

private:
    friend void AppendPrintf(std::string& out, const PreparedFormat& format, const PrintfValue* values, size_t count);

    // Text up to a conversion (with "%%" as "%"), then the conversion; the
    // last piece may have none.
    struct Piece {
        std::string text;
        bool hasConversion = false;
        PrintfConversion conversion;
        std::string asWritten;  // the conversion's text, for a conversion without an argument
    };
    std::vector<Piece> pieces_;
    std::string text_;
};

void AppendPrintf(std::string& out, const PreparedFormat& format, const PrintfValue* values, size_t count);

}  // namespace kalderon
