#pragma once

#include <cmath>
#include <vector>

#include "stats/NetSurvival.h"
#include "stats/PopulationLookup.h"

namespace kalderon::testing {

// The net survival estimator day by day and case by case, as its formulas
// read: on day s >= 1 a case has the hazard -ln(1 - q) / 365.25 of its
// calendar year and completed age on the date begin + s - 1, its weight is
// exp of its hazards summed over days 1 .. s, and on every day at risk it
// adds its weight to the number at risk and weight x hazard to the expected
// deaths.  A case's weight multiplies all of it.
inline NetSurvivalCurve LiteralNetSurvival(const std::vector<NetSurvivalCase>& cases,
                                           const std::vector<CPopulationYearTable>& tables)
{
    const PopulationLookup lookup(tables, std::string());
    std::int32_t lastDay = -1;
    for (const NetSurvivalCase& c : cases)
        if (c.firstDay <= c.lastDay) lastDay = std::max(lastDay, c.lastDay);
    NetSurvivalCurve curve;
    if (lastDay < 0) return curve;

    // Per case, its hazard and weight on every day of its follow-up.
    std::vector<std::vector<double>> hazard(cases.size()), weight(cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        const NetSurvivalCase& c = cases[i];
        if (c.firstDay > c.lastDay) continue;
        const CivilDate birth = DateValue::FromSerial(c.birthDay).civil();
        hazard[i].assign(c.lastDay + 1, 0.0);
        weight[i].assign(c.lastDay + 1, c.weight);
        double cumulative = 0.0;
        for (std::int32_t s = 1; s <= c.lastDay; ++s) {
            const CivilDate date = DateValue::FromSerial(c.beginDay + s - 1).civil();
            const double p = 1.0 - lookup.SexValue(date.year, CompletedAge(birth, date), c.sex);
            hazard[i][s] = -std::log(p) / 365.25;
            cumulative += hazard[i][s];
            weight[i][s] = c.weight * std::exp(cumulative);
        }
    }

    double total = 0.0, variance = 0.0;
    for (std::int32_t s = 0; s <= lastDay; ++s) {
        double atRisk = 0.0, expected = 0.0, deaths = 0.0, squares = 0.0;
        for (size_t i = 0; i < cases.size(); ++i) {
            const NetSurvivalCase& c = cases[i];
            if (s < c.firstDay || s > c.lastDay) continue;
            atRisk += weight[i][s];
            expected += weight[i][s] * hazard[i][s];
            if (c.died && s == c.lastDay) {
                deaths += weight[i][s];
                squares += weight[i][s] * weight[i][s];
            }
        }
        if (atRisk > 0.0) {
            total += (deaths - expected) / atRisk;
            variance += squares / (atRisk * atRisk);
        }
        curve.cumulativeHazard.push_back(total);
        curve.variance.push_back(variance);
    }
    return curve;
}

// Ederer II expected survival of weighted cases day by day: on day s >= 1
// the weighted mean of exp(-hazard) over the cases at risk, multiplied up.
inline std::vector<double> LiteralWeightedExpected(const std::vector<NetSurvivalCase>& cases,
                                                   const std::vector<CPopulationYearTable>& tables)
{
    const PopulationLookup lookup(tables, std::string());
    std::int32_t lastDay = -1;
    for (const NetSurvivalCase& c : cases)
        if (c.firstDay <= c.lastDay) lastDay = std::max(lastDay, c.lastDay);
    std::vector<double> expected;
    double cumulative = 1.0;
    for (std::int32_t s = 0; s <= lastDay; ++s) {
        double weights = 0.0, surviving = 0.0;
        for (const NetSurvivalCase& c : cases) {
            if (s == 0 || s < c.firstDay || s > c.lastDay) continue;
            const CivilDate birth = DateValue::FromSerial(c.birthDay).civil();
            const CivilDate date = DateValue::FromSerial(c.beginDay + s - 1).civil();
            const double p = 1.0 - lookup.SexValue(date.year, CompletedAge(birth, date), c.sex);
            weights += c.weight;
            surviving += c.weight * std::exp(std::log(p) / 365.25);
        }
        if (weights > 0.0) cumulative *= surviving / weights;
        expected.push_back(cumulative);
    }
    return expected;
}

}  // namespace kalderon::testing
