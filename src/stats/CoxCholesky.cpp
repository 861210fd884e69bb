#include "stats/CoxCholesky.h"

#include <cmath>

namespace kalderon {

int GeneralisedCholesky(Eigen::MatrixXd& m, double toler)
{
    const Eigen::Index n = m.rows();
    double largest = 0.0;
    for (Eigen::Index i = 0; i < n; ++i) {
        largest = std::max(largest, m(i, i));
        for (Eigen::Index j = i + 1; j < n; ++j) m(j, i) = m(i, j);
    }
    const double eps = largest == 0.0 ? toler : largest * toler;

    int rank = 0;
    int sign = 1;
    for (Eigen::Index i = 0; i < n; ++i) {
        const double pivot = m(i, i);
        if (!std::isfinite(pivot) || pivot < eps) {
            m(i, i) = 0.0;
            if (pivot < -8 * eps) sign = -1;
            continue;
        }
        ++rank;
        for (Eigen::Index j = i + 1; j < n; ++j) {
            const double factor = m(j, i) / pivot;
            m(j, i) = factor;
            m(j, j) -= factor * factor * pivot;
            for (Eigen::Index k = j + 1; k < n; ++k) m(k, j) -= factor * m(k, i);
        }
    }
    return rank * sign;
}

void GeneralisedCholeskySolve(const Eigen::MatrixXd& m, Eigen::VectorXd& y)
{
    const Eigen::Index n = m.rows();
    for (Eigen::Index i = 0; i < n; ++i)
        for (Eigen::Index j = 0; j < i; ++j) y(i) -= y(j) * m(i, j);
    for (Eigen::Index i = n - 1; i >= 0; --i) {
        if (m(i, i) == 0.0) {
            y(i) = 0.0;
            continue;
        }
        double value = y(i) / m(i, i);
        for (Eigen::Index j = i + 1; j < n; ++j) value -= y(j) * m(j, i);
        y(i) = value;
    }
}

void GeneralisedCholeskyInverse(Eigen::MatrixXd& m)
{
    const Eigen::Index n = m.rows();
    // The inverse of L (unit diagonal) below the diagonal, 1/D on it.
    for (Eigen::Index i = 0; i < n; ++i) {
        if (!(m(i, i) > 0.0)) continue;
        m(i, i) = 1.0 / m(i, i);
        for (Eigen::Index j = i + 1; j < n; ++j) {
            m(j, i) = -m(j, i);
            for (Eigen::Index k = 0; k < i; ++k) m(j, k) += m(j, i) * m(i, k);
        }
    }
    // F' D^-1 F, F the inverse of L, into the upper triangle.
    for (Eigen::Index i = 0; i < n; ++i) {
        if (m(i, i) == 0.0) {
            for (Eigen::Index j = 0; j < i; ++j) m(j, i) = 0.0;
            for (Eigen::Index j = i; j < n; ++j) m(i, j) = 0.0;
            continue;
        }
        for (Eigen::Index j = i + 1; j < n; ++j) {
            const double t = m(j, i) * m(j, j);
            m(i, j) = t;
            for (Eigen::Index k = i; k < j; ++k) m(i, k) += t * m(j, k);
        }
    }
    for (Eigen::Index i = 0; i < n; ++i)
        for (Eigen::Index j = 0; j < i; ++j) m(i, j) = m(j, i);
}

}  // namespace kalderon
