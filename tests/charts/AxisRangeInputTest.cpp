#include <gtest/gtest.h>

#include <limits>

#include "charts/AxisRangeInput.h"

namespace kalderon {
namespace {

TEST(AxisRangeInputTest, TypedValuesTakeCommaAndBlanksAndRefuseNonNumbers)
{
    const AxisValueInput comma = ParseAxisValue("0,5");
    EXPECT_FALSE(comma.blank);
    ASSERT_TRUE(comma.value);
    EXPECT_EQ(*comma.value, 0.5);
    EXPECT_EQ(*ParseAxisValue(" \t-1,25  ").value, -1.25);
    EXPECT_EQ(*ParseAxisValue("+8").value, 8.0);
    EXPECT_EQ(*ParseAxisValue("1e2").value, 100.0);
    EXPECT_EQ(*ParseAxisValue(".5").value, 0.5);

    for (const char* blank : {"", " ", " \t "}) {
        const AxisValueInput input = ParseAxisValue(blank);
        EXPECT_TRUE(input.blank) << '"' << blank << '"';
        EXPECT_FALSE(input.value);
    }
    for (const char* bad : {"abc", "1x", "0,5,1", "1 2", "-", "+", "nan", "inf", "1e400", "0x10", "++1", ","}) {
        const AxisValueInput input = ParseAxisValue(bad);
        EXPECT_FALSE(input.blank) << bad;
        EXPECT_FALSE(input.value) << bad;
    }
}

TEST(AxisRangeInputTest, RangesThatCannotBeDrawnAreRefused)
{
    EXPECT_EQ(CheckAxisRange(0.0, 1.0, 0.1), AxisRangeFault::kNone);
    EXPECT_EQ(CheckAxisRange(-5.0, 8.0, 0.5), AxisRangeFault::kNone);
    EXPECT_EQ(CheckAxisRange(0.0, 1.0, 0.0), AxisRangeFault::kStepNotPositive);
    EXPECT_EQ(CheckAxisRange(0.0, 1.0, -0.1), AxisRangeFault::kStepNotPositive);
    EXPECT_EQ(CheckAxisRange(0.0, 1.0, std::numeric_limits<double>::quiet_NaN()), AxisRangeFault::kStepNotPositive);
    // The step is examined before the range.
    EXPECT_EQ(CheckAxisRange(1.0, 1.0, 0.0), AxisRangeFault::kStepNotPositive);
    EXPECT_EQ(CheckAxisRange(1.0, 1.0, 0.1), AxisRangeFault::kMinNotBelowMax);
    EXPECT_EQ(CheckAxisRange(2.0, 1.0, 0.1), AxisRangeFault::kMinNotBelowMax);
    EXPECT_EQ(CheckAxisRange(0.0, 1.0, 1e-9), AxisRangeFault::kTooManyTicks);
    EXPECT_EQ(CheckAxisRange(0.0, 1000.0, 1.0), AxisRangeFault::kNone);
    EXPECT_EQ(CheckAxisRange(0.0, 1001.0, 1.0), AxisRangeFault::kTooManyTicks);
    EXPECT_EQ(CheckAxisRange(0.0, 1e-10, 1e-12), AxisRangeFault::kNone);
    EXPECT_EQ(CheckAxisRange(0.0, 1e-11, 1e-13), AxisRangeFault::kTooManyTicks);  // labels of 14 decimals at most
    EXPECT_EQ(CheckAxisRange(0.0, 5e-310, 1e-312), AxisRangeFault::kTooManyTicks);
    EXPECT_EQ(CheckAxisRange(0.0, std::numeric_limits<double>::infinity(), 1.0), AxisRangeFault::kTooManyTicks);
}

}  // namespace
}  // namespace kalderon
