#include "common/PrintfEngine.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace kalderon {
namespace {

using Wide = unsigned __int128;

constexpr std::uint64_t kPowersOfTen[] = {1ull,
                                          10ull,
                                          100ull,
                                          1000ull,
                                          10000ull,
                                          100000ull,
                                          1000000ull,
                                          10000000ull,
                                          100000000ull,
                                          1000000000ull,
                                          10000000000ull,
                                          100000000000ull,
                                          1000000000000ull,
                                          10000000000000ull,
                                          100000000000000ull,
                                          1000000000000000ull};
constexpr int kLargestFastPrecision = 15;

// The text of one call, gathered on the stack and handed to the string in
// few appends.
class Output {
public:
    explicit Output(std::string& out) : out_(out) {}

    void Append(const char* text, size_t length)
    {
        if (!MakeRoom(length)) {
            out_.append(text, length);
            return;
        }
        std::memcpy(buffer_ + used_, text, length);
        used_ += length;
    }
    void Fill(size_t count, char c)
    {
        if (!MakeRoom(count)) {
            out_.append(count, c);
            return;
        }
        std::memset(buffer_ + used_, c, count);
        used_ += count;
    }
    // The string with everything appended so far, for writing to it directly.
    std::string& Flushed()
    {
        Flush();
        return out_;
    }
    void Flush()
    {
        out_.append(buffer_, used_);
        used_ = 0;
    }

private:
    // True when `length` bytes fit the buffer, flushed first when needed;
    // false when they are longer than the whole buffer.
    bool MakeRoom(size_t length)
    {
        if (length <= kSize - used_) return true;
        Flush();
        return length <= kSize;
    }

    static constexpr size_t kSize = 256;
    std::string& out_;
    char buffer_[kSize];
    size_t used_ = 0;
};

using Conversion = PrintfConversion;

// The two digits of each number 0..99, so that digits are written in pairs.
struct DigitPairs {
    char text[200];
    constexpr DigitPairs() : text()
    {
        for (int i = 0; i < 100; ++i) {
            text[2 * i] = static_cast<char>('0' + i / 10);
            text[2 * i + 1] = static_cast<char>('0' + i % 10);
        }
    }
};
constexpr DigitPairs kDigitPairs;

char* WritePair(char* end, std::uint64_t pair)
{
    end -= 2;
    std::memcpy(end, kDigitPairs.text + 2 * pair, 2);
    return end;
}

// Writes the decimal digits of `value` ending at `end`; returns where they begin.
char* WriteDigits(char* end, std::uint64_t value)
{
    while (value >= 100) {
        end = WritePair(end, value % 100);
        value /= 100;
    }
    if (value >= 10) return WritePair(end, value);
    *--end = static_cast<char>('0' + value);
    return end;
}

// |value| * 10^precision rounded to the nearest integer, ties to even, from
// the exact binary value; false when it does not fit 64 bits.
bool ScaledAndRounded(double value, int precision, std::uint64_t& scaled)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const int exponentField = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t mantissa = bits & ((1ull << 52) - 1);
    if (exponentField == 0x7ff) return false;
    int exponent = -1074;
    if (exponentField != 0) {
        mantissa |= 1ull << 52;
        exponent = exponentField - 1075;
    }
    const std::uint64_t power = kPowersOfTen[precision];
    if (mantissa == 0) {
        scaled = 0;
        return true;
    }
    if (exponent >= 0) {
        if (exponent > 11) return false;  // |value| >= 2^64
        const Wide product = (static_cast<Wide>(mantissa) << exponent) * power;
        if (product >> 64) return false;
        scaled = static_cast<std::uint64_t>(product);
        return true;
    }
    const Wide product = static_cast<Wide>(mantissa) * power;  // below 2^103
    const int shift = -exponent;
    if (shift > 104) {  // below one half
        scaled = 0;
        return true;
    }
    const Wide quotient = product >> shift;
    if (quotient >> 64) return false;
    const Wide remainder = product & ((static_cast<Wide>(1) << shift) - 1);
    const Wide half = static_cast<Wide>(1) << (shift - 1);
    std::uint64_t q = static_cast<std::uint64_t>(quotient);
    if (remainder > half || (remainder == half && (q & 1))) {
        if (q == UINT64_MAX) return false;
        ++q;
    }
    scaled = q;
    return true;
}

// `sign` is '\0' for none.
void AppendPadded(Output& out, const Conversion& conversion, char sign, const char* body, size_t bodyLength,
                  bool zeroPadAllowed)
{
    const size_t signLength = sign ? 1 : 0;
    const size_t length = signLength + bodyLength;
    const size_t width = conversion.width > 0 ? static_cast<size_t>(conversion.width) : 0;
    const size_t padding = width > length ? width - length : 0;
    if (padding && !conversion.left && !(conversion.zero && zeroPadAllowed)) out.Fill(padding, ' ');
    out.Append(&sign, signLength);
    if (padding && !conversion.left && conversion.zero && zeroPadAllowed) out.Fill(padding, '0');
    out.Append(body, bodyLength);
    if (padding && conversion.left) out.Fill(padding, ' ');
}

char SignOf(bool negative, const Conversion& conversion)
{
    return negative ? '-' : conversion.plus ? '+' : conversion.space ? ' ' : '\0';
}

// The digits of `scaled` with the decimal point `precision` digits from the
// right, ending at `end`; returns where they begin.  Every digit comes from
// dividing by 100 or 10, which the compiler does by multiplying.
char* WriteFixedDigits(char* end, std::uint64_t scaled, int precision)
{
    char* begin = end;
    if (precision > 0) {
        int count = precision;
        for (; count >= 2; count -= 2) {
            begin = WritePair(begin, scaled % 100);
            scaled /= 100;
        }
        if (count == 1) {
            *--begin = static_cast<char>('0' + scaled % 10);
            scaled /= 10;
        }
        *--begin = '.';
    }
    return WriteDigits(begin, scaled);
}

bool AppendFixed(Output& out, const Conversion& conversion, double value)
{
    const int precision = conversion.precision < 0 ? 6 : conversion.precision;
    std::uint64_t scaled = 0;
    if (precision > kLargestFastPrecision || conversion.alternate || !ScaledAndRounded(value, precision, scaled))
        return false;
    char buffer[48];
    char* const end = buffer + sizeof buffer;
    const char* begin = WriteFixedDigits(end, scaled, precision);
    AppendPadded(out, conversion, SignOf(std::signbit(value), conversion), begin, static_cast<size_t>(end - begin), true);
    return true;
}

bool AppendInteger(Output& out, const Conversion& conversion, const PrintfValue& value)
{
    if (conversion.precision >= 0 || conversion.length[0] == 'h') return false;
    bool negative = false;
    std::uint64_t magnitude = 0;
    switch (value.kind) {
    case PrintfValue::kInt:
    case PrintfValue::kLong:
        negative = value.integer < 0;
        magnitude = negative ? 0 - static_cast<std::uint64_t>(value.integer) : static_cast<std::uint64_t>(value.integer);
        break;
    default: return false;
    }
    char buffer[24];
    char* const end = buffer + sizeof buffer;
    const char* begin = WriteDigits(end, magnitude);
    AppendPadded(out, conversion, SignOf(negative, conversion), begin, static_cast<size_t>(end - begin), true);
    return true;
}

void AppendString(Output& out, const Conversion& conversion, const char* text)
{
    size_t length = std::strlen(text);
    if (conversion.precision >= 0 && static_cast<size_t>(conversion.precision) < length)
        length = static_cast<size_t>(conversion.precision);
    AppendPadded(out, conversion, '\0', text, length, false);
}

// The conversion written by the C library.
void AppendWithLibrary(std::string& out, const Conversion& conversion, const PrintfValue& value)
{
    char format[48];
    char* f = format;
    *f++ = '%';
    if (conversion.left) *f++ = '-';
    if (conversion.plus) *f++ = '+';
    if (conversion.space) *f++ = ' ';
    if (conversion.zero) *f++ = '0';
    if (conversion.alternate) *f++ = '#';
    f += std::snprintf(f, 12, "%d", conversion.width);
    if (conversion.precision >= 0) f += std::snprintf(f, 13, ".%d", conversion.precision);
    for (const char* l = conversion.length; *l; ++l) *f++ = *l;
    *f++ = conversion.conversion;
    *f = '\0';

    const auto print = [&](auto argument) {
        const int length = std::snprintf(nullptr, 0, format, argument);
        if (length <= 0) return;
        const size_t at = out.size();
        out.resize(at + static_cast<size_t>(length));
        std::snprintf(out.data() + at, static_cast<size_t>(length) + 1, format, argument);
    };
    const bool real = std::strchr("fFeEgGaA", conversion.conversion) != nullptr;
    if (real) {
        const double number = value.kind == PrintfValue::kDouble ? value.real
                              : value.kind == PrintfValue::kInt || value.kind == PrintfValue::kLong
                                  ? static_cast<double>(value.integer)
                                  : static_cast<double>(value.unsignedInteger);
        if (conversion.length[0] == 'L')
            print(static_cast<long double>(number));
        else
            print(number);
        return;
    }
    if (conversion.conversion == 's') {
        print(value.kind == PrintfValue::kString ? value.text : "");
        return;
    }
    const long long integer = value.kind == PrintfValue::kDouble ? static_cast<long long>(value.real) : value.integer;
    const char l0 = conversion.length[0], l1 = conversion.length[1];
    if (l0 == 'l' && l1 == 'l')
        print(integer);
    else if (l0 == 'l' || l0 == 'j' || l0 == 'z' || l0 == 't')
        print(static_cast<long>(integer));
    else
        print(static_cast<int>(integer));
}

// Reads the conversion after a '%'; returns where it ends.
const char* ParseConversion(const char* p, Conversion& conversion)
{
    for (;; ++p) {
        if (*p == '-') conversion.left = true;
        else if (*p == '+') conversion.plus = true;
        else if (*p == ' ') conversion.space = true;
        else if (*p == '0') conversion.zero = true;
        else if (*p == '#') conversion.alternate = true;
        else break;
    }
    while (*p >= '0' && *p <= '9') conversion.width = conversion.width * 10 + (*p++ - '0');
    if (*p == '.') {
        ++p;
        conversion.precision = 0;
        while (*p >= '0' && *p <= '9') conversion.precision = conversion.precision * 10 + (*p++ - '0');
    }
    int lengthSize = 0;
    const auto isLength = [](char c) { return c == 'l' || c == 'h' || c == 'j' || c == 'z' || c == 't' || c == 'L'; };
    while (lengthSize < 2 && isLength(*p)) conversion.length[lengthSize++] = *p++;
    conversion.conversion = *p;
    return *p ? p + 1 : p;
}

void AppendConversion(Output& out, const Conversion& conversion, const PrintfValue& value)
{
    bool written = false;
    switch (conversion.conversion) {
    case 'f':
    case 'F':
        written = value.kind == PrintfValue::kDouble && conversion.length[0] != 'L' && AppendFixed(out, conversion, value.real);
        break;
    case 'd':
    case 'i': written = AppendInteger(out, conversion, value); break;
    case 's':
        if (value.kind == PrintfValue::kString) {
            AppendString(out, conversion, value.text);
            written = true;
        }
        break;
    default: break;
    }
    if (!written) AppendWithLibrary(out.Flushed(), conversion, value);
}

// Walks `format`: onText(text, length) for the text between conversions
// ("%%" as "%"), onConversion(conversion, written, length) for each
// conversion with its text as written (a conversion character of 0 when
// the format ends inside it).
template <typename OnText, typename OnConversion>
void WalkFormat(const char* format, OnText onText, OnConversion onConversion)
{
    const char* p = format;
    while (*p) {
        const char* percent = p;  // the texts between conversions are short
        while (*percent && *percent != '%') ++percent;
        onText(p, static_cast<size_t>(percent - p));
        if (!*percent) return;
        if (percent[1] == '%') {
            onText("%", 1);
            p = percent + 2;
            continue;
        }
        Conversion conversion;
        p = ParseConversion(percent + 1, conversion);
        onConversion(conversion, percent, static_cast<size_t>(p - percent));
    }
}

}  // namespace

void AppendPrintf(std::string& text, const char* format, const PrintfValue* values, size_t count)
{
    Output out(text);
    size_t next = 0;
    WalkFormat(
        format, [&](const char* piece, size_t length) { out.Append(piece, length); },
        [&](const Conversion& conversion, const char* written, size_t length) {
            if (conversion.conversion == 0 || next >= count)  // no argument left: the text as it stands
                out.Append(written, length);
            else
                AppendConversion(out, conversion, values[next++]);
        });
    out.Flush();
}

PreparedFormat::PreparedFormat(const std::string& format) : text_(format)
{
    Piece piece;
    WalkFormat(
        format.c_str(), [&](const char* text, size_t length) { piece.text.append(text, length); },
        [&](const Conversion& conversion, const char* written, size_t length) {
            if (conversion.conversion == 0) {  // never takes an argument: the text as it stands
                piece.text.append(written, length);
                return;
            }
            piece.hasConversion = true;
            piece.conversion = conversion;
            piece.asWritten.assign(written, length);
            pieces_.push_back(std::move(piece));
            piece = {};
        });
    if (!piece.text.empty()) pieces_.push_back(std::move(piece));
}

void AppendPrintf(std::string& text, const PreparedFormat& format, const PrintfValue* values, size_t count)
{
    Output out(text);
    size_t next = 0;
    for (const PreparedFormat::Piece& piece : format.pieces_) {
        out.Append(piece.text.data(), piece.text.size());
        if (!piece.hasConversion) continue;
        if (next >= count)
            out.Append(piece.asWritten.data(), piece.asWritten.size());
        else
            AppendConversion(out, piece.conversion, values[next++]);
    }
    out.Flush();
}

}  // namespace kalderon
