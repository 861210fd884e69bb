#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "stats/ChiSquare.h"

using namespace kalderon;

namespace {

void ExpectRelative(double actual, double expected, double tolerance)
{
    EXPECT_LE(std::fabs(actual - expected), tolerance * expected) << actual << " vs " << expected;
}

TEST(ChiSquareTest, UpperTailAsTheClosedFormsDownTo1e300)
{
    // 1 df: erfc(sqrt(x/2)); 2 df: exp(-x/2); 3 df: erfc(sqrt(x/2)) + sqrt(2x/pi) exp(-x/2).
    for (const double x : {1e-6, 0.01, 0.5, 1.0, 3.84, 10.0, 50.0, 200.0, 700.0, 1370.0}) {
        SCOPED_TRACE(x);
        ExpectRelative(ChiSquareUpperTail(x, 1), std::erfc(std::sqrt(x / 2)), 1e-12);
        ExpectRelative(ChiSquareUpperTail(x, 2), std::exp(-x / 2), 1e-12);
        ExpectRelative(ChiSquareUpperTail(x, 3),
                       std::erfc(std::sqrt(x / 2)) + std::sqrt(2 * x / std::numbers::pi) * std::exp(-x / 2), 1e-12);
    }
    ExpectRelative(ChiSquareUpperTail(1381.551055796427, 2), 1e-300, 1e-12);
    EXPECT_EQ(ChiSquareUpperTail(0.0, 4), 1.0);
    EXPECT_EQ(ChiSquareUpperTail(INFINITY, 4), 0.0);
}

TEST(ChiSquareTest, UpperTailAsRFarOut)
{
    // pchisq(x, df, lower.tail = FALSE) of R (tests/reference/compare-groups.R).
    ExpectRelative(ChiSquareUpperTail(3.5, 1), 0.061368829139401948, 1e-12);
    ExpectRelative(ChiSquareUpperTail(40, 3), 1.0655090334255863e-08, 1e-12);
    ExpectRelative(ChiSquareUpperTail(1300, 4), 3.3278807185719031e-280, 1e-11);
    ExpectRelative(ChiSquareUpperTail(1350, 9), 4.9022794290238043e-285, 1e-11);
    ExpectRelative(ChiSquareUpperTail(1000, 17), 9.00306531561963e-202, 1e-11);
    ExpectRelative(ChiSquareUpperTail(1200, 40), 1.3710104166399115e-225, 1e-11);
    ExpectRelative(ChiSquareUpperTail(1500, 120), 6.3278946045790809e-237, 1e-11);
    // Close to the median, where the series and the continued fraction meet.
    ExpectRelative(ChiSquareUpperTail(3.0, 4) + 0.0, std::exp(-1.5) * (1 + 1.5), 1e-13);
}

}  // namespace
