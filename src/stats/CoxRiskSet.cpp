#include "stats/CoxRiskSet.h"

#include <algorithm>
#include <cmath>

namespace kalderon {

CoxRiskSet::CoxRiskSet(size_t columns)
    : p_(columns), a_(columns), eventA_(columns), cmat_(columns * columns), eventCmat_(columns * columns)
{
}

void CoxRiskSet::Clear()
{
    denom_ = eventDenom_ = 0.0;
    events_ = 0;
    std::fill(a_.begin(), a_.end(), 0.0);
    std::fill(cmat_.begin(), cmat_.end(), 0.0);
    std::fill(eventA_.begin(), eventA_.end(), 0.0);
    std::fill(eventCmat_.begin(), eventCmat_.end(), 0.0);
}

void CoxRiskSet::CloseTime(CoxTies ties, double& logLikelihood, double* score, Eigen::MatrixXd& information)
{
    if (events_ == 0) return;
    const int steps = ties == CoxTies::kEfron ? events_ : 1;
    const double share = 1.0 / steps;
    const double weight = static_cast<double>(events_) / steps;
    for (int k = 0; k < steps; ++k) {
        denom_ += eventDenom_ * share;
        logLikelihood -= weight * std::log(denom_);
        for (size_t j = 0; j < p_; ++j) {
            a_[j] += eventA_[j] * share;
            const double mean = a_[j] / denom_;
            score[j] -= weight * mean;
            for (size_t m = 0; m <= j; ++m) {
                cmat_[j * p_ + m] += eventCmat_[j * p_ + m] * share;
                information(static_cast<Eigen::Index>(j), static_cast<Eigen::Index>(m)) +=
                    weight * (cmat_[j * p_ + m] - mean * a_[m]) / denom_;
            }
        }
    }
    eventDenom_ = 0.0;
    events_ = 0;
    std::fill(eventA_.begin(), eventA_.end(), 0.0);
    std::fill(eventCmat_.begin(), eventCmat_.end(), 0.0);
}

}  // namespace kalderon
