#pragma once

#include <Eigen/Dense>

namespace kalderon {

// The generalised Cholesky decomposition L D L' of a symmetric matrix that
// the Cox model solves its equations with: a pivot below `toler` times the
// largest diagonal element is set to zero and its column takes no further
// part, so that a column that is (nearly) a combination of the columns
// before it is dropped rather than the whole matrix refused.  D stands on
// the diagonal, L below it; the upper triangle keeps the matrix.  Returns
// the rank, negative when a pivot is clearly negative.
int GeneralisedCholesky(Eigen::MatrixXd& matrix, double toler);

// Solves matrix x = y in place of y with a decomposition made above; the
// components of dropped columns are 0.
void GeneralisedCholeskySolve(const Eigen::MatrixXd& decomposed, Eigen::VectorXd& y);

// Turns a decomposition made above into the generalised inverse of the
// matrix it was made of, symmetric, with zero rows and columns for the
// dropped columns.
void GeneralisedCholeskyInverse(Eigen::MatrixXd& decomposed);

}  // namespace kalderon
