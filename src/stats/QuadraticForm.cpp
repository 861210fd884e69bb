#include "stats/QuadraticForm.h"

#include <cmath>

namespace kalderon {

QuadraticForm GeneralisedQuadraticForm(std::vector<double> a, const std::vector<double>& b)
{
    const size_t m = b.size();
    auto at = [&](size_t row, size_t column) -> double& { return a[row * m + column]; };

    double largest = 0.0;
    for (size_t i = 0; i < m; ++i) largest = std::fmax(largest, std::fabs(at(i, i)));
    const double tolerance = largest * 1e-9;

    // L D L' in the lower triangle: D on the diagonal, L below it; a column
    // whose pivot is set aside is zero.
    QuadraticForm form;
    std::vector<bool> kept(m, false);
    for (size_t i = 0; i < m; ++i) {
        const double pivot = at(i, i);
        if (!(pivot > tolerance)) {
            for (size_t j = i; j < m; ++j) at(j, i) = 0.0;
            continue;
        }
        kept[i] = true;
        form.rank += 1;
        for (size_t j = i + 1; j < m; ++j) {
            const double factor = at(j, i) / pivot;
            at(j, i) = factor;
            at(j, j) -= factor * factor * pivot;
            for (size_t k = j + 1; k < m; ++k) at(k, j) -= factor * at(k, i);
        }
    }

    // Solve L y = b; the form is the sum of y_i^2 / D_i over the kept pivots.
    std::vector<double> y(b);
    for (size_t i = 0; i < m; ++i) {
        for (size_t k = 0; k < i; ++k) y[i] -= at(i, k) * y[k];
        if (kept[i]) form.value += y[i] * y[i] / at(i, i);
    }
    return form;
}

}  // namespace kalderon
