#include "stats/RestrictedMeanSurvival.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/TextFormat.h"
#include "resources/Texts.h"
#include "stats/SurvivalAtTimes.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

// One distinct death time: its time in units, the cases at risk, the deaths
// and the survival after it.
struct DeathTime {
    double time;
    double atRisk;
    double deaths;
    double survival;
};

std::vector<DeathTime> DeathTimesUpTo(const std::vector<CTimePointResult>& rows, const std::string& eventCode,
                                      double tauDays, double unitDays)
{
    std::vector<DeathTime> deaths;
    for (size_t r = 0; r < rows.size() && rows[r].survivalDays <= tauDays; ++r) {
        const CTimePointResult& row = rows[r];
        if (row.statusText != eventCode) continue;
        const double time = row.survivalDays / unitDays;
        if (!deaths.empty() && rows[r - 1].survivalDays == row.survivalDays && rows[r - 1].statusText == eventCode) {
            deaths.back().deaths += 1.0;
            deaths.back().survival = row.cumulativeSurvival;
        } else {
            deaths.push_back({time, row.atRisk, 1.0, row.cumulativeSurvival});
        }
    }
    return deaths;
}

double LastObservation(const CGroupResult& group)
{
    return group.timePoints.empty() ? 0.0 : static_cast<double>(group.timePoints.back().survivalDays);
}

double TwoSidedP(double zValue) { return std::erfc(std::fabs(zValue) / std::sqrt(2.0)); }

RestrictedMeanContrast Contrast(const RestrictedMean& first, const RestrictedMean& other, double z)
{
    RestrictedMeanContrast c;
    c.code = other.code;
    c.difference = other.mean - first.mean;
    const double se = std::hypot(first.standardError, other.standardError);
    c.differenceLower = c.difference - z * se;
    c.differenceUpper = c.difference + z * se;
    c.differencePValue = se > 0.0 ? TwoSidedP(c.difference / se) : (c.difference == 0.0 ? 1.0 : 0.0);
    if (first.mean > 0.0 && other.mean > 0.0) {
        const double logRatio = std::log(other.mean / first.mean);
        const double logSe = std::hypot(first.standardError / first.mean, other.standardError / other.mean);
        c.ratio = other.mean / first.mean;
        c.ratioLower = std::exp(logRatio - z * logSe);
        c.ratioUpper = std::exp(logRatio + z * logSe);
        c.ratioPValue = logSe > 0.0 ? TwoSidedP(logRatio / logSe) : (logRatio == 0.0 ? 1.0 : 0.0);
    }
    return c;
}

}  // namespace

RestrictedMean RestrictedMeanOf(const std::vector<CTimePointResult>& rows, const std::string& eventCode,
                                double tau, double unitDays)
{
    const std::vector<DeathTime> deaths = DeathTimesUpTo(rows, eventCode, tau * unitDays, unitDays);
    RestrictedMean result;
    // Walks back from tau: `area` is the area from the current death time to tau.
    double area = 0.0;
    double variance = 0.0;
    double end = tau;
    for (size_t j = deaths.size(); j-- > 0;) {
        area += (end - deaths[j].time) * deaths[j].survival;
        end = deaths[j].time;
        const double n = deaths[j].atRisk, d = deaths[j].deaths;
        if (n > d) variance += area * area * d / (n * (n - d));
    }
    result.mean = area + end;  // the curve is 1 before the first death
    result.standardError = std::sqrt(variance);
    return result;
}

double DefaultRestrictionTime(const CAnalysisData& data, bool stratified)
{
    double shortest = std::numeric_limits<double>::infinity();
    for (const CGroupResult* group : AnalysedGroups(data, stratified))
        shortest = std::min(shortest, LastObservation(*group));
    return std::isfinite(shortest) ? shortest / UnitDays(data.timeUnit) : 0.0;
}

Refusal ComputeRestrictedMeans(const CAnalysisData& data, bool stratified, std::optional<double> tau,
                               RestrictedMeanSurvival& result)
{
    const double unitDays = UnitDays(data.timeUnit);
    result = {};
    result.timeUnit = data.timeUnit;
    result.tau = tau.value_or(DefaultRestrictionTime(data, stratified));
    if (!(result.tau > 0.0) || !std::isfinite(result.tau)) return FormatText(text::kRestrictionNotPositive, result.tau);
    const std::vector<const CGroupResult*> groups = AnalysedGroups(data, stratified);
    result.severalGroups = groups.size() > 1;
    for (const CGroupResult* group : groups)
        if (result.tau * unitDays > LastObservation(*group))
            return FormatText(text::kRestrictionAfterFollowUp, result.tau, result.severalGroups ? group->info.code : std::string(text::kAllCases),
                              LastObservation(*group) / unitDays);
    const double z = ZValue(data.ciLevelText);
    for (const CGroupResult* group : groups) {
        RestrictedMean mean = RestrictedMeanOf(group->timePoints, data.eventCode, result.tau, unitDays);
        mean.code = group->info.code;
        mean.lower = mean.mean - z * mean.standardError;
        mean.upper = mean.mean + z * mean.standardError;
        result.groups.push_back(std::move(mean));
    }
    for (size_t g = 1; g < result.groups.size(); ++g)
        result.contrasts.push_back(Contrast(result.groups.front(), result.groups[g], z));
    return std::nullopt;
}

}  // namespace kalderon
