#include "stats/CoxCurves.h"

#include <algorithm>
#include <cmath>

namespace kalderon {

std::vector<CoxCurvePoint> BaselineHazard(const CoxSample& s, const CoxFitResult& fit, CoxTies ties, size_t stratum)
{
    const size_t begin = s.StratumBegin(stratum);
    std::vector<CoxCurvePoint> points;
    double riskSum = 0.0;
    std::int32_t atRisk = 0;
    for (size_t i = s.strataEnds[stratum]; i > begin;) {
        const std::int32_t day = s.time[i - 1];
        double deadRisk = 0.0;
        std::int32_t deaths = 0;
        for (; i > begin && s.time[i - 1] == day; --i) {
            const double risk = std::exp(fit.linearPredictor[i - 1]);
            riskSum += risk, ++atRisk;
            if (s.event[i - 1]) deadRisk += risk, ++deaths;
        }
        if (deaths == 0) continue;
        double hazard = 0.0;
        if (ties == CoxTies::kBreslow) {
            hazard = deaths / riskSum;
        } else {
            for (std::int32_t k = 0; k < deaths; ++k) hazard += 1.0 / (riskSum - k * deadRisk / deaths);
        }
        points.push_back({day, atRisk, deaths, hazard, 1.0});
    }
    // From the earliest day on, the increments summed.
    std::reverse(points.begin(), points.end());
    double cumulative = 0.0;
    for (CoxCurvePoint& point : points) {
        point.cumulativeHazard = cumulative += point.cumulativeHazard;
        point.survival = std::exp(-cumulative);
    }
    return points;
}

CoxCurve SurvivalCurve(const CoxSample& s, const CoxFitResult& fit, CoxTies ties, size_t stratum,
                       const std::vector<double>& values, std::string name)
{
    double eta = 0.0;
    for (size_t j = 0; j < s.columns(); ++j)
        if (!fit.collinear[j]) eta += fit.coef[j] * (values[j] - fit.means[j]);
    CoxCurve curve{std::move(name), stratum, BaselineHazard(s, fit, ties, stratum)};
    const double risk = std::exp(eta);
    for (CoxCurvePoint& point : curve.points) {
        point.cumulativeHazard *= risk;
        point.survival = std::exp(-point.cumulativeHazard);
    }
    return curve;
}

}  // namespace kalderon
