#pragma once

namespace kalderon {

// Upper regularised incomplete gamma function Q(a, x) = Gamma(a, x) / Gamma(a)
// for a > 0 and x >= 0, to better than 1e-11 relative also far out in the
// tail (down to the smallest normal double).
double RegularizedUpperGamma(double a, double x);

// Probability that a chi-square variable with `degreesOfFreedom` (>= 1)
// exceeds x.
double ChiSquareUpperTail(double x, int degreesOfFreedom);

}  // namespace kalderon
