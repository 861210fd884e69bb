#include "stats/GrayTest.h"

#include <algorithm>
#include <limits>

#include "stats/ChiSquare.h"
#include "stats/QuadraticForm.h"

namespace kalderon {
namespace {

// Per group at one day: cases censored, failing from the cause, failing
// from another cause.
struct DayCounts {
    double censored = 0.0, cause = 0.0, other = 0.0;
};

// Walks the groups' tallies day by day over the days of all of them.
class PooledDays {
public:
    PooledDays(const std::vector<const CauseTally*>& groups, int cause)
        : groups_(groups), cause_(cause), next_(groups.size(), 0), counts_(groups.size())
    {
    }

    // The counts of the next day; false after the last.
    bool Next()
    {
        std::int32_t day = std::numeric_limits<std::int32_t>::max();
        for (size_t g = 0; g < groups_.size(); ++g)
            if (next_[g] < groups_[g]->DayCount()) day = std::min(day, groups_[g]->Day(next_[g]));
        if (day == std::numeric_limits<std::int32_t>::max()) return false;
        for (size_t g = 0; g < groups_.size(); ++g) {
            counts_[g] = {};
            const CauseTally& tally = *groups_[g];
            if (next_[g] >= tally.DayCount() || tally.Day(next_[g]) != day) continue;
            const size_t d = next_[g]++;
            counts_[g].censored = tally.Ending(d, 0);
            counts_[g].cause = tally.Ending(d, cause_);
            counts_[g].other = tally.Events(d) - counts_[g].cause;
        }
        return true;
    }
    const DayCounts& operator[](size_t g) const { return counts_[g]; }

private:
    const std::vector<const CauseTally*>& groups_;
    int cause_;
    std::vector<size_t> next_;
    std::vector<DayCounts> counts_;
};

// Scores and their variance for groups 0 .. k-2, after Gray's estimator of
// the variance under the hypothesis; `m` is k x k, `s` k - 1 and `v`
// (k - 1) x (k - 1), row-major.
class GrayScores {
public:
    explicit GrayScores(const std::vector<const CauseTally*>& groups)
        : k_(groups.size()), atRisk_(k_), f1m_(k_, 0.0), f1_(k_, 0.0), skmm_(k_, 1.0), skm_(k_, 1.0),
          v3_(k_, 0.0), v2_((k_ - 1) * k_, 0.0), c_(k_ * k_, 0.0), a_(k_ * k_, 0.0), s_(k_ - 1, 0.0),
          v_((k_ - 1) * (k_ - 1), 0.0)
    {
        for (size_t g = 0; g < k_; ++g) atRisk_[g] = groups[g]->Cases();
    }

    void Day(const PooledDays& day)
    {
        double nd1 = 0.0, nd2 = 0.0;
        for (size_t i = 0; i < k_; ++i) nd1 += day[i].cause, nd2 += day[i].other;
        if (nd1 > 0 || nd2 > 0) Events(day, nd1, nd2);
        for (size_t i = 0; i < k_; ++i) {
            atRisk_[i] -= day[i].censored + day[i].cause + day[i].other;
            f1m_[i] = f1_[i];
            skmm_[i] = skm_[i];
        }
        fm_ = f_;
    }

    std::vector<double> Scores() const { return s_; }
    std::vector<double> Variance() const
    {
        std::vector<double> v = v_;
        for (size_t i = 0; i + 1 < k_; ++i)
            for (size_t j = 0; j <= i; ++j) {
                double sum = v[i * (k_ - 1) + j];
                for (size_t k = 0; k < k_; ++k)
                    sum += C(i, k) * C(j, k) * v3_[k] + C(i, k) * V2(j, k) + C(j, k) * V2(i, k);
                v[i * (k_ - 1) + j] = v[j * (k_ - 1) + i] = sum;
            }
        return v;
    }

private:
    double& C(size_t i, size_t j) { return c_[i * k_ + j]; }
    double C(size_t i, size_t j) const { return c_[i * k_ + j]; }
    double& A(size_t i, size_t j) { return a_[i * k_ + j]; }
    double& V2(size_t i, size_t j) { return v2_[i * k_ + j]; }
    double V2(size_t i, size_t j) const { return v2_[i * k_ + j]; }
    double& V(size_t i, size_t j) { return v_[i * (k_ - 1) + j]; }

    void Events(const PooledDays& day, double nd1, double nd2)
    {
        double tr = 0.0, tq = 0.0;
        for (size_t i = 0; i < k_; ++i) {
            const double rs = atRisk_[i];
            if (rs <= 0) continue;
            skm_[i] = skmm_[i] * (rs - (day[i].cause + day[i].other)) / rs;
            f1_[i] = f1m_[i] + (skmm_[i] * day[i].cause) / rs;
            tr += rs / skmm_[i];
            tq += rs * (1 - f1m_[i]) / skmm_[i];
        }
        f_ = fm_ + nd1 / tr;
        const double fb = 1.0;  // (1 - fm)^rho with rho 0
        for (size_t i = 0; i < k_; ++i) {
            for (size_t j = i; j < k_; ++j) A(i, j) = 0;
            if (atRisk_[i] <= 0) continue;
            const double t1 = atRisk_[i] / skmm_[i];
            A(i, i) = fb * t1 * (1 - t1 / tr);
            C(i, i) += A(i, i) * nd1 / (tr * (1 - fm_));
            for (size_t j = i + 1; j < k_; ++j) {
                if (atRisk_[j] <= 0) continue;
                A(i, j) = -fb * t1 * atRisk_[j] / (skmm_[j] * tr);
                C(i, j) += A(i, j) * nd1 / (tr * (1 - fm_));
            }
        }
        for (size_t i = 1; i < k_; ++i)
            for (size_t j = 0; j < i; ++j) A(i, j) = A(j, i), C(i, j) = C(j, i);
        for (size_t i = 0; i + 1 < k_; ++i)
            if (atRisk_[i] > 0)
                s_[i] += fb * (day[i].cause - nd1 * atRisk_[i] * (1 - f1m_[i]) / (skmm_[i] * tq));
        if (nd1 > 0) CauseVariance(nd1, tr);
        if (nd2 > 0) OtherVariance(day);
    }

    void CauseVariance(double nd1, double tr)
    {
        for (size_t k = 0; k < k_; ++k) {
            if (atRisk_[k] <= 0) continue;
            const double t4 = skm_[k] > 0 ? 1 - (1 - f_) / skm_[k] : 1.0;
            const double t5 = nd1 > 1 ? 1 - (nd1 - 1) / (tr * skmm_[k] - 1) : 1.0;
            const double t3 = t5 * skmm_[k] * nd1 / (tr * atRisk_[k]);
            Accumulate(k, t4, t3, [&](size_t i) { return A(i, k) - t4 * C(i, k); });
        }
    }

    void OtherVariance(const PooledDays& day)
    {
        for (size_t k = 0; k < k_; ++k) {
            const double d2 = day[k].other;
            if (skm_[k] <= 0 || d2 <= 0) continue;
            const double t4 = (1 - f_) / skm_[k];
            const double t5 = d2 > 1 ? 1 - (d2 - 1) / (atRisk_[k] - 1) : 1.0;
            const double t3 = t5 * (skmm_[k] * skmm_[k] * d2) / (atRisk_[k] * atRisk_[k]);
            Accumulate(k, t4, t3, [&](size_t i) { return -t4 * C(i, k); });
        }
    }

    template <class Term>
    void Accumulate(size_t k, double t4, double t3, Term term)
    {
        v3_[k] += t4 * t4 * t3;
        for (size_t i = 0; i + 1 < k_; ++i) {
            const double t1 = term(i);
            V2(i, k) += t1 * t4 * t3;
            for (size_t j = 0; j <= i; ++j) V(i, j) += t1 * term(j) * t3;
        }
    }

    size_t k_;
    std::vector<double> atRisk_, f1m_, f1_, skmm_, skm_, v3_, v2_, c_, a_, s_, v_;
    double fm_ = 0.0, f_ = 0.0;
};

}  // namespace

CGrayTest ComputeGrayTest(const std::vector<CauseTally>& tallies, int cause)
{
    std::vector<const CauseTally*> groups;
    for (const CauseTally& tally : tallies)
        if (tally.Cases() > 0) groups.push_back(&tally);
    CGrayTest test;
    test.cause = cause;
    test.degreesOfFreedom = static_cast<std::int32_t>(groups.size()) - 1;
    if (groups.size() < 2) return test;
    PooledDays days(groups, cause);
    GrayScores scores(groups);
    while (days.Next()) scores.Day(days);
    const QuadraticForm form = GeneralisedQuadraticForm(scores.Variance(), scores.Scores());
    if (form.rank < test.degreesOfFreedom) return test;
    test.statistic = form.value;
    test.pValue = ChiSquareUpperTail(form.value, test.degreesOfFreedom);
    test.computed = true;
    return test;
}

}  // namespace kalderon
