#include "stats/CoxZph.h"

#include <cmath>

#include "common/RadixSort.h"
#include "stats/ChiSquare.h"
#include "stats/CoxRiskSet.h"

namespace kalderon {
namespace {

// Per case of the sample: the Kaplan-Meier transform of its time, 1 minus
// the survival of all cases just before it, centred on its mean over the
// cases with the event.
std::vector<double> KaplanMeierTransform(const CoxSample& s)
{
    std::vector<std::uint64_t> keys(s.size());
    for (size_t i = 0; i < s.size(); ++i)
        keys[i] = static_cast<std::uint64_t>(static_cast<std::uint32_t>(s.time[i])) << 1 | s.event[i];
    RadixSort(keys);
    std::vector<std::int32_t> days;
    std::vector<double> before;  // survival just before each day
    double survival = 1.0;
    for (size_t i = 0; i < keys.size();) {
        const std::int32_t day = static_cast<std::int32_t>(keys[i] >> 1);
        const double atRisk = static_cast<double>(keys.size() - i);
        double deaths = 0.0;
        for (; i < keys.size() && static_cast<std::int32_t>(keys[i] >> 1) == day; ++i) deaths += keys[i] & 1;
        days.push_back(day);
        before.push_back(survival);
        survival *= 1.0 - deaths / atRisk;
    }
    std::vector<double> g(s.size());
    double sum = 0.0, events = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        const size_t d = static_cast<size_t>(std::lower_bound(days.begin(), days.end(), s.time[i]) - days.begin());
        g[i] = 1.0 - before[d];
        if (s.event[i]) sum += g[i], events += 1.0;
    }
    for (double& v : g) v -= sum / events;
    return g;
}

}  // namespace

std::vector<CoxZphRow> ProportionalHazardsTests(const CoxSample& s, const CoxFitResult& fit, CoxTies ties)
{
    std::vector<size_t> kept;
    for (size_t j = 0; j < s.columns(); ++j)
        if (!fit.collinear[j]) kept.push_back(j);
    const size_t p = kept.size();
    if (p == 0) return {};
    const std::vector<double> g = KaplanMeierTransform(s);

    // The score and information of the model with the columns and the
    // columns times g(t), at the estimate and 0.
    Eigen::VectorXd u = Eigen::VectorXd::Zero(p);
    Eigen::MatrixXd imat = Eigen::MatrixXd::Zero(2 * p, 2 * p);
    std::vector<double> z(p);
    Eigen::MatrixXd v(p, p);
    Eigen::VectorXd score(p);
    CoxRiskSet riskSet(p);
    for (size_t stratum = 0; stratum < s.strataEnds.size(); ++stratum) {
        const size_t begin = s.StratumBegin(stratum);
        riskSet.Clear();
        for (size_t i = s.strataEnds[stratum]; i > begin;) {
            const std::int32_t time = s.time[i - 1];
            double gHere = 0.0;
            score.setZero();
            for (; i > begin && s.time[i - 1] == time; --i) {
                const double* x = s.row(i - 1);
                for (size_t j = 0; j < p; ++j) z[j] = x[kept[j]];
                const bool died = s.event[i - 1] != 0;
                riskSet.Add(z.data(), std::exp(fit.linearPredictor[i - 1]), died);
                if (!died) continue;
                gHere = g[i - 1];
                for (size_t j = 0; j < p; ++j) score[j] += z[j];
            }
            if (riskSet.Events() == 0) continue;
            v.setZero();
            double unused = 0.0;
            riskSet.CloseTime(ties, unused, score.data(), v);
            for (size_t j = 0; j < p; ++j)
                for (size_t m = 0; m < j; ++m) v(m, j) = v(j, m);
            u += gHere * score;
            imat.topLeftCorner(p, p) += v;
            imat.topRightCorner(p, p) += gHere * v;
            imat.bottomRightCorner(p, p) += gHere * gHere * v;
        }
    }
    imat.bottomLeftCorner(p, p) = imat.topRightCorner(p, p).transpose();

    auto test = [&](const std::vector<size_t>& columns) {
        std::vector<Eigen::Index> index;
        for (size_t j = 0; j < p; ++j) index.push_back(static_cast<Eigen::Index>(j));
        for (const size_t c : columns) index.push_back(static_cast<Eigen::Index>(p + c));
        const Eigen::MatrixXd sub = imat(index, index);
        Eigen::VectorXd w = Eigen::VectorXd::Zero(static_cast<Eigen::Index>(index.size()));
        for (size_t k = 0; k < columns.size(); ++k) w[static_cast<Eigen::Index>(p + k)] = u[static_cast<Eigen::Index>(columns[k])];
        return w.dot(sub.partialPivLu().solve(w));
    };
    std::vector<CoxZphRow> rows;
    std::vector<size_t> all;
    for (const CoxTerm& term : s.terms) {
        std::vector<size_t> columns;
        for (size_t k = 0; k < p; ++k)
            if (kept[k] >= term.firstColumn && kept[k] < term.firstColumn + term.columns) columns.push_back(k);
        if (columns.empty()) continue;
        const double chi = test(columns);
        const int df = static_cast<int>(columns.size());
        rows.push_back({term.name, chi, df, ChiSquareUpperTail(chi, df)});
        all.insert(all.end(), columns.begin(), columns.end());
    }
    const double chi = test(all);
    rows.push_back({"", chi, static_cast<int>(p), ChiSquareUpperTail(chi, static_cast<int>(p))});
    return rows;
}

}  // namespace kalderon
