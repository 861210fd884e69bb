#include <gtest/gtest.h>

#include <cmath>

#include "common/LineEnds.h"
#include "common/TextFormat.h"

using namespace kalderon;

TEST(TextFormat, CConventionsAndNoNegativeZero)
{
    EXPECT_EQ(FormatText("%5d|%-8.6f|%7.1f|%s|%ld", 42, 0.5, 2.25, std::string("IIb"), 7L),
              "   42|0.500000|    2.2|IIb|7");
    EXPECT_EQ(FormatText("%.1f;%f;%-8.6f|", -0.0, -0.0, -0.0), "0.0;0.000000;0.000000|");
    EXPECT_EQ(FormatText("%.1f", -0.5), "-0.5");
    EXPECT_EQ(FormatText("%f", -1.0), "-1.000000");
    EXPECT_FALSE(std::signbit(WithoutNegativeZero(-0.0)));
    EXPECT_EQ(FormatText("plain"), "plain");
    EXPECT_EQ(FormatText("%s", std::string(300, 'x')).size(), 300u);
}

TEST(TextFormat, CrLfOnDisk)
{
    EXPECT_EQ(ToCrLf("h\n1\n2\n3\n"), "h\r\n1\r\n2\r\n3\r\n");
    EXPECT_EQ(ToCrLf("a\r\nb"), "a\r\r\nb");
    EXPECT_EQ(ToCrLf(""), "");
}
