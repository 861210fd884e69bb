#include "stats/SurvivalQuartiles.h"

#include <cmath>
#include <limits>

#include "stats/ProductLimitWalk.h"

namespace kalderon {
namespace {

// The curve and its limits after the last death at a time; limits are NaN
// where they do not exist.
struct Step {
    double days;
    double survival;
    double lower;
    double upper;
};

const double kTolerance = std::sqrt(std::numeric_limits<double>::epsilon());

std::optional<double> TimeOfProbability(const std::vector<Step>& steps, double Step::*value, double probability,
                                        double lastDays)
{
    size_t first = 0;
    while (first < steps.size() && !(steps[first].*value <= probability + kTolerance)) ++first;
    if (first == steps.size()) return std::nullopt;
    if (std::fabs(steps[first].*value - probability) >= kTolerance) return steps[first].days;

    double end = lastDays;
    for (size_t i = first + 1; i < steps.size(); ++i) {
        if (steps[i].*value < probability - kTolerance) {
            end = steps[i].days;
            break;
        }
    }
    return (steps[first].days + end) / 2.0;
}

// The observed curve again, so that the limits are those of the observed
// survival also when the rows hold relative survival.
std::vector<Step> ObservedSteps(const std::vector<CTimePointResult>& rows, const std::string& eventCode, double z)
{
    constexpr double missing = std::numeric_limits<double>::quiet_NaN();
    std::vector<Step> steps;
    ProductLimitWalk walk(z);
    CTimePointResult observed;
    for (const CTimePointResult& row : rows) {
        if (row.statusText != eventCode) continue;
        walk.Death(observed, row.atRisk, row.proportionSurviving);
        const Step step{static_cast<double>(row.survivalDays), observed.cumulativeSurvival,
                        observed.hasStandardError ? observed.lowerLimit : missing,
                        observed.hasStandardError ? observed.upperLimit : missing};
        if (!steps.empty() && steps.back().days == step.days)
            steps.back() = step;  // tied deaths: the curve after the last of them
        else
            steps.push_back(step);
    }
    return steps;
}

}  // namespace

std::array<SurvivalTimeEstimate, 3> ProductLimitQuartiles(const std::vector<CTimePointResult>& rows,
                                                         const std::string& eventCode, double z,
                                                         double unitDays)
{
    std::array<SurvivalTimeEstimate, 3> quartiles;
    if (rows.empty()) return quartiles;
    const std::vector<Step> steps = ObservedSteps(rows, eventCode, z);
    const double lastDays = rows.back().survivalDays;
    auto inUnit = [unitDays](std::optional<double> days) {
        return days ? std::optional<double>(*days / unitDays) : std::nullopt;
    };
    for (size_t q = 0; q < quartiles.size(); ++q) {
        const double probability = 1.0 - kQuartileShares[q];
        quartiles[q].time = inUnit(TimeOfProbability(steps, &Step::survival, probability, lastDays));
        quartiles[q].lower = inUnit(TimeOfProbability(steps, &Step::lower, probability, lastDays));
        quartiles[q].upper = inUnit(TimeOfProbability(steps, &Step::upper, probability, lastDays));
    }
    return quartiles;
}

}  // namespace kalderon
