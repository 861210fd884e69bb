#pragma once

#include <vector>

#include <Eigen/Dense>

#include "stats/CoxFit.h"

namespace kalderon {

// The sums over the risk set of a Cox model while a stratum is walked from
// its latest time back: the risk, the risk times the design row and times
// its square, the cases of each time joining when the time is closed.
class CoxRiskSet {
public:
    explicit CoxRiskSet(size_t columns);

    // An empty risk set, for the next stratum.
    void Clear();
    // A case of the time being walked, its design row z and its risk.
    void Add(const double* z, double risk, bool event)
    {
        double* sumX = event ? eventA_.data() : a_.data();
        double* sumXX = event ? eventCmat_.data() : cmat_.data();
        (event ? eventDenom_ : denom_) += risk;
        events_ += event ? 1 : 0;
        for (size_t j = 0; j < p_; ++j) {
            const double rz = risk * z[j];
            sumX[j] += rz;
            for (size_t k = 0; k <= j; ++k) sumXX[j * p_ + k] += rz * z[k];
        }
    }
    int Events() const { return events_; }

    // Lets the cases of the time join the risk set.  With events, for each
    // of Efron's steps (the k-th of d events sees the events' sums with
    // weight 1 - k/d) or Breslow's one: subtracts the weighted log of the
    // risk sum from `logLikelihood` and the weighted mean of z from `score`,
    // and adds the weighted covariance of z to the lower triangle of
    // `information`.
    void CloseTime(CoxTies ties, double& logLikelihood, double* score, Eigen::MatrixXd& information);

private:
    size_t p_;
    double denom_ = 0.0, eventDenom_ = 0.0;
    int events_ = 0;
    std::vector<double> a_, eventA_, cmat_, eventCmat_;  // cmat lower triangles, row-major p x p
};

}  // namespace kalderon
