#include "stats/ChiSquare.h"

#include <cmath>
#include <limits>

namespace kalderon {
namespace {

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
constexpr int kMaxTerms = 100000;

// x^a e^-x / Gamma(a), formed on the log scale so that it neither
// overflows nor underflows before the end.
double PowerExpFactor(double a, double x) { return std::exp(a * std::log(x) - x - std::lgamma(a)); }

// P(a, x) by its power series; converges quickly for x < a + 1.
double LowerBySeries(double a, double x)
{
    double term = 1.0 / a;
    double sum = term;
    for (int n = 1; n < kMaxTerms; ++n) {
        term *= x / (a + n);
        sum += term;
        if (std::fabs(term) < std::fabs(sum) * kEpsilon) break;
    }
    return sum * PowerExpFactor(a, x);
}

// Q(a, x) by its continued fraction (modified Lentz); for x >= a + 1 every
// step keeps the relative precision, however small Q is.
double UpperByContinuedFraction(double a, double x)
{
    constexpr double tiny = 1e-300;
    double b = x + 1.0 - a;
    double c = 1.0 / tiny;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i < kMaxTerms; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < tiny) d = tiny;
        c = b + an / c;
        if (std::fabs(c) < tiny) c = tiny;
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < kEpsilon) break;
    }
    return PowerExpFactor(a, x) * h;
}

}  // namespace

double RegularizedUpperGamma(double a, double x)
{
    if (!(x > 0.0)) return 1.0;
    if (std::isinf(x)) return 0.0;
    if (x < a + 1.0) return 1.0 - LowerBySeries(a, x);
    return UpperByContinuedFraction(a, x);
}

double ChiSquareUpperTail(double x, int degreesOfFreedom)
{
    return RegularizedUpperGamma(0.5 * degreesOfFreedom, 0.5 * x);
}

}  // namespace kalderon
