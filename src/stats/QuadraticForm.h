#pragma once

#include <vector>

namespace kalderon {

struct QuadraticForm {
    double value = 0.0;
    int rank = 0;
};

// b' G b for a symmetric, non-negative definite m x m matrix (row-major)
// with a generalised inverse G: a Cholesky decomposition that sets aside
// every pivot below 1e-9 of the largest diagonal element, so that a singular
// matrix gives the form on the part it spans.  rank counts the pivots kept;
// for a regular matrix the value is b' A^-1 b.
QuadraticForm GeneralisedQuadraticForm(std::vector<double> matrix, const std::vector<double>& b);

}  // namespace kalderon
