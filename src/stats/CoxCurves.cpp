#include "stats/CoxCurves.h"

#include <algorithm>
#include <cmath>

namespace kalderon {

CoxBaseline BaselineOf(const CoxSample& s, const CoxFitResult& fit, CoxTies ties, size_t stratum)
{
    const size_t p = s.columns();
    std::vector<double> centred(p);
    for (size_t j = 0; j < p; ++j) centred[j] = fit.collinear[j] ? 0.0 : fit.means[static_cast<Eigen::Index>(j)];
    CoxBaseline out;
    out.stratum = stratum;
    const size_t begin = s.StratumBegin(stratum);
    double riskSum = 0.0;
    std::int32_t atRisk = 0;
    std::vector<double> rowSum(p, 0.0), deadRowSum(p), increment(p);
    for (size_t i = s.strataEnds[stratum]; i > begin;) {
        const std::int32_t day = s.time[i - 1];
        double deadRisk = 0.0;
        std::int32_t deaths = 0;
        std::fill(deadRowSum.begin(), deadRowSum.end(), 0.0);
        for (; i > begin && s.time[i - 1] == day; --i) {
            const double risk = std::exp(fit.linearPredictor[i - 1]);
            const double* x = s.row(i - 1);
            const bool died = s.event[i - 1] != 0;
            riskSum += risk, ++atRisk;
            if (died) deadRisk += risk, ++deaths;
            for (size_t j = 0; j < p; ++j) {
                const double weighted = risk * (x[j] - centred[j]);
                rowSum[j] += weighted;
                if (died) deadRowSum[j] += weighted;
            }
        }
        if (deaths == 0) continue;
        double hazard = 0.0, variance = 0.0;
        std::fill(increment.begin(), increment.end(), 0.0);
        // Breslow's increments are Efron's with the events' sums weighted 0.
        const double share = ties == CoxTies::kBreslow ? 0.0 : 1.0 / deaths;
        for (std::int32_t k = 0; k < deaths; ++k) {
            const double denominator = riskSum - k * share * deadRisk;
            const double inverseSquare = 1.0 / (denominator * denominator);
            hazard += 1.0 / denominator, variance += inverseSquare;
            for (size_t j = 0; j < p; ++j) increment[j] += (rowSum[j] - k * share * deadRowSum[j]) * inverseSquare;
        }
        out.points.push_back({day, atRisk, deaths, hazard});
        out.varianceIncrements.push_back(variance);
        out.meanIncrements.insert(out.meanIncrements.end(), increment.begin(), increment.end());
    }
    // From the earliest day on.
    std::reverse(out.points.begin(), out.points.end());
    std::reverse(out.varianceIncrements.begin(), out.varianceIncrements.end());
    const size_t n = out.points.size();
    for (size_t a = 0, b = n; a + 1 < b; ++a, --b)
        std::swap_ranges(out.meanIncrements.begin() + static_cast<std::ptrdiff_t>(a * p),
                         out.meanIncrements.begin() + static_cast<std::ptrdiff_t>((a + 1) * p),
                         out.meanIncrements.begin() + static_cast<std::ptrdiff_t>((b - 1) * p));
    return out;
}

CoxCurve SurvivalCurve(const CoxBaseline& baseline, const CoxFitResult& fit, const std::vector<double>& values,
                       double limitsZ, std::string name)
{
    const size_t p = values.size();
    Eigen::VectorXd offset = Eigen::VectorXd::Zero(static_cast<Eigen::Index>(p));
    double eta = 0.0;
    for (size_t j = 0; j < p; ++j) {
        const auto jj = static_cast<Eigen::Index>(j);
        if (fit.collinear[j]) continue;
        offset[jj] = values[j] - fit.means[jj];
        eta += fit.coef[jj] * offset[jj];
    }
    const double risk = std::exp(eta);
    CoxCurve curve{std::move(name), baseline.stratum, baseline.points};
    double baseHazard = 0.0, variance = 0.0;
    Eigen::VectorXd meanSum = Eigen::VectorXd::Zero(static_cast<Eigen::Index>(p));
    for (size_t i = 0; i < curve.points.size(); ++i) {
        CoxCurvePoint& point = curve.points[i];
        baseHazard += point.cumulativeHazard;
        variance += baseline.varianceIncrements[i];
        meanSum += Eigen::Map<const Eigen::VectorXd>(baseline.meanIncrements.data() + i * p, static_cast<Eigen::Index>(p));
        const Eigen::VectorXd d = baseHazard * offset - meanSum;
        point.cumulativeHazard = baseHazard * risk;
        point.survival = std::exp(-point.cumulativeHazard);
        point.standardError = std::sqrt((variance + d.dot(fit.var * d)) * risk * risk);
        if (point.survival > 0.0) {
            point.lower = std::exp(-point.cumulativeHazard - limitsZ * point.standardError);
            point.upper = std::min(1.0, std::exp(-point.cumulativeHazard + limitsZ * point.standardError));
        } else {
            point.lower = point.upper = std::nan("");
        }
    }
    return curve;
}

}  // namespace kalderon
