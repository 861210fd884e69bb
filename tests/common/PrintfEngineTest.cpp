#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "common/TextFormat.h"

using namespace kalderon;

namespace {

std::string LibraryText(const char* format, double value)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// The formats the reports and exports use, and their neighbours.
const std::vector<const char*> kRealFormats = {"%f",    "%.0f",   "%.1f",  "%.2f",   "%.4f",  "%.6f",   "%-8.6f",
                                               "%8.6f", "%12.6f", "%6.0f", "%8.0f",  "%7.1f", "%010.3f", "%+.3f",
                                               "% .2f", "%-12.4f", "%.15f", "%.17f", "%#.0f", "%.10g",  "%e"};

void ExpectLikeLibrary(double value)
{
    for (const char* format : kRealFormats) {
        const std::string expected = LibraryText(format, value);
        std::string text;
        const PrintfValue argument{PrintfValue::kDouble, {.real = value}};
        AppendPrintf(text, format, &argument, 1);
        ASSERT_EQ(text, expected) << format << " of " << std::hexfloat << value;
    }
}

}  // namespace

TEST(PrintfEngine, BoundariesAndSpecialValues)
{
    const double values[] = {0.0,       -0.0,          0.5,         1.5,        2.5,          -2.5,
                             0.125,     0.375,         1e-7,        5e-7,       4.9999995e-7, 0.0000005,
                             0.9999995, 0.99999949999, 9.5,         99.5,       999999.5,     1e15,
                             1e19,      1.8446744073709552e19,     1e20,       1e300,        -1e300,
                             DBL_MIN,   DBL_TRUE_MIN,  DBL_MAX,     -DBL_MAX,   INFINITY,     -INFINITY,
                             NAN,       0.1,           0.2,         0.3,        1.0 / 3.0,    2.0 / 3.0,
                             0.8949675, 123456.0000005, 4503599627370496.5, 9007199254740993.0};
    for (const double value : values) ExpectLikeLibrary(value);
    // Exact ties at every precision the fast path takes: k / 2^j.
    for (int j = 1; j <= 20; ++j)
        for (int k = -2000; k <= 2000; ++k) ExpectLikeLibrary(std::ldexp(k, -j));
    // Values next to decimal halves: n + 0.5 * 10^-p and its neighbours.
    for (int p = 0; p <= 8; ++p)
        for (int n = 0; n < 2000; ++n) {
            const double half = (n + 0.5) / std::pow(10.0, p);
            ExpectLikeLibrary(half);
            ExpectLikeLibrary(std::nextafter(half, 0.0));
            ExpectLikeLibrary(std::nextafter(half, 1e9));
        }
}

TEST(PrintfEngine, RandomValuesLikeTheLibrary)
{
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> exponent(-40, 70);
    std::uniform_int_distribution<std::uint64_t> bits;
    const char* const fast[] = {"%f", "%.4f", "%-8.6f", "%12.6f", "%6.0f", "%.1f", "%7.1f", "%.2f"};
    std::string text;
    char expected[512];
    // Two million values of every scale, each through the formats above.
    for (int i = 0; i < 2000000; ++i) {
        double value = 0.0;
        switch (i % 4) {
        case 0: value = unit(random); break;                                        // survival, limits
        case 1: value = std::ldexp(unit(random), exponent(random)); break;          // every scale
        case 2: value = std::round(unit(random) * 1e7) / 1e6 + 5e-7; break;         // near sixth-decimal halves
        default: {
            const std::uint64_t pattern = bits(random);
            std::memcpy(&value, &pattern, sizeof value);                           // any bit pattern
        }
        }
        if (i % 8 == 3) value = -value;
        const char* format = fast[i % 8];
        text.clear();
        const PrintfValue argument{PrintfValue::kDouble, {.real = value}};
        AppendPrintf(text, format, &argument, 1);
        std::snprintf(expected, sizeof expected, format, value);
        ASSERT_EQ(text, expected) << format << " of " << std::hexfloat << value;
    }
}

TEST(PrintfEngine, IntegersStringsAndWholeLines)
{
    std::mt19937 random(7);
    char expected[256];
    for (int i = 0; i < 200000; ++i) {
        const int value = static_cast<int>(random()) >> (i % 31);
        for (const char* format : {"%d", "%5d", "%-5d|", "%05d", "%+d", "% d", "%4d", "%7d"}) {
            std::snprintf(expected, sizeof expected, format, value);
            ASSERT_EQ(FormatText(format, value), expected) << format << " of " << value;
        }
    }
    std::snprintf(expected, sizeof expected, "%ld;%d;%s|%-6s|%6s|%.2s|%%|%u|%x|%c", 1234567890123L, -2147483647 - 1,
                  "ab", "cd", "ef", "ghij", 4000000000u, 255u, 'z');
    EXPECT_EQ(FormatText("%ld;%d;%s|%-6s|%6s|%.2s|%%|%u|%x|%c", 1234567890123L, -2147483647 - 1, "ab",
                         std::string("cd"), "ef", "ghij", 4000000000u, 255u, 'z'),
              expected);
    // A report line with every kind of field.
    const char* line = "%12.6f  %6.0f    %-8.6f    %-8.6f    %-8.6f   %-8.6f  %-8.6f\r\n";
    std::snprintf(expected, sizeof expected, line, 1.5, 27.0, 0.962963, 0.962963, 0.036375, 0.891668, 1.034258);
    EXPECT_EQ(FormatText(line, 1.5, 27.0, 0.962963, 0.962963, 0.036375, 0.891668, 1.034258), expected);
    // Too few arguments leave the rest of the format as it stands.
    EXPECT_EQ(FormatText("%d and %d", 1), "1 and %d");
}

TEST(PrintfEngine, PreparedFormatsWriteWhatTheirTextWrites)
{
    const std::string longText(400, 'x');
    const std::vector<std::string> formats = {
        "%12.6f  %6.0f    %-8.6f    %-8.6f    %-8.6f   %-8.6f  %-8.6f\r\n",
        "%f;%.0f;%f;%f;%f;%f;%f\n",
        "%.0f;;;;;;\n",
        "100%% of %d|%s|",
        "%d and %d and %f",  // more conversions than arguments
        "trailing %",
        "%-",
        "%300d|%-300s|" + longText,
        "%5.2e|%x|%c",
        "",
    };
    const std::string colon = "colon";  // one object: a mismatched conversion prints its address
    for (const std::string& format : formats) {
        const PreparedFormat prepared(format);
        std::string text = "before|";
        AppendText(text, prepared, 27, colon, 0.8949675, 1e300, -2.5, 0.0, 7.0);
        EXPECT_EQ(text, "before|" + FormatText(format, 27, colon, 0.8949675, 1e300, -2.5, 0.0, 7.0))
            << format;
        text.clear();
        AppendText(text, prepared, 1);
        EXPECT_EQ(text, FormatText(format, 1)) << format;
    }
}
