#pragma once

#include <optional>
#include <string>
#include <vector>

#include "stats/AnalysisData.h"
#include "stats/Refusal.h"

namespace kalderon {

// The restricted mean survival time of one group: the area under its
// product-limit curve from 0 to tau, in the analysis's time unit, with the
// standard error sqrt(sum over death times t <= tau of A(t)^2 d / (n (n - d)))
// where A(t) is the area from t to tau (a time where all at risk die adds
// nothing), and the limits mean -/+ z SE.
struct RestrictedMean {
    std::string code;
    double mean = 0.0;
    double standardError = 0.0;
    double lower = 0.0;
    double upper = 0.0;
};

// A group against the first one: the difference of the means with limits
// -/+ z SE, SE the root of the summed variances, and the ratio with limits
// exp(log ratio -/+ z SE of the log ratio); each with its two-sided p-value.
struct RestrictedMeanContrast {
    std::string code;
    double difference = 0.0, differenceLower = 0.0, differenceUpper = 0.0, differencePValue = 1.0;
    std::optional<double> ratio, ratioLower, ratioUpper, ratioPValue;  // none when a mean is 0
};

struct RestrictedMeanSurvival {
    double tau = 0.0;
    std::int32_t timeUnit = 0;
    bool severalGroups = false;
    std::vector<RestrictedMean> groups;
    std::vector<RestrictedMeanContrast> contrasts;  // groups 2, 3, ... against the first
};

// The largest time (in units) at which every analysed group still has
// cases under follow-up: the smallest of the groups' last observation times.
double DefaultRestrictionTime(const CAnalysisData& data, bool stratified);

// The restricted means of the analysed groups of a product-limit analysis
// up to tau units (none: DefaultRestrictionTime), or the refusal of a tau
// not above 0 or after the last observation time of a group.
Refusal ComputeRestrictedMeans(const CAnalysisData& data, bool stratified, std::optional<double> tau,
                               RestrictedMeanSurvival& result);

// The area under one product-limit table (rows in time order) up to `tau`
// units of `unitDays` days, with its standard error.
RestrictedMean RestrictedMeanOf(const std::vector<CTimePointResult>& rows, const std::string& eventCode,
                                double tau, double unitDays);

}  // namespace kalderon
