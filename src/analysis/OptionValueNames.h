#pragma once

#include <cstddef>
#include <cstdint>

#include "stats/AgeStandardisation.h"
#include "stats/AnalysisData.h"
#include "stats/CoxFit.h"
#include "stats/TimeUnit.h"

namespace kalderon {

// The words kalderon-batch's options take for their values, in the order its
// help lists them: the option table reads them, and so does the command
// line written for an analysis.
template <class T>
struct NamedValue {
    const char* name;
    T value;
};

inline constexpr NamedValue<AnalysisKind> kAnalysisNames[] = {
    {"lifetable", kLifeTable}, {"productlimit", kProductLimit}, {"period", kPeriodAnalysis},
    {"trend", kTrend},         {"smr", kSmrSir},                {"cuminc", kCumulativeIncidence},
    {"cox", kCoxRegression}};
inline constexpr NamedValue<PeriodTechnique> kTechniqueNames[] = {{"lifetable", kLifeTableTechnique},
                                                                  {"productlimit", kProductLimitTechnique}};
inline constexpr NamedValue<TimeUnitCode> kUnitNames[] = {
    {"year", kUnitYear}, {"month", kUnitMonth}, {"week", kUnitWeek}, {"day", kUnitDay}};
inline constexpr NamedValue<CoxTies> kTiesNames[] = {{"efron", CoxTies::kEfron}, {"breslow", CoxTies::kBreslow}};
inline constexpr NamedValue<ExpectedSurvivalMethod> kMethodNames[] = {
    {"ederer2", ExpectedSurvivalMethod::kEdererII},
    {"hakulinen", ExpectedSurvivalMethod::kHakulinen},
    {"pohar-perme", ExpectedSurvivalMethod::kPoharPerme}};
inline constexpr NamedValue<IcssStandard> kStandardNames[] = {{"icss1", kIcss1}, {"icss2", kIcss2}, {"icss3", kIcss3}};
inline constexpr NamedValue<StandardiseMethod> kStandardiseMethodNames[] = {
    {"traditional", StandardiseMethod::kTraditional}, {"brenner", StandardiseMethod::kBrenner}};
inline constexpr NamedValue<char> kSeparatorNames[] = {{"semicolon", ';'}, {"comma", ','}, {"space", ' '}, {"tab", '\t'}};

// The word for `value`; nullptr when there is none.
template <class T, std::size_t N>
constexpr const char* FindName(const NamedValue<T> (&names)[N], T value)
{
    for (const NamedValue<T>& named : names)
        if (named.value == value) return named.name;
    return nullptr;
}

// The word for `value`, or for the option's default (the first) when there
// is none.
template <class T, std::size_t N>
constexpr const char* NameOf(const NamedValue<T> (&names)[N], T value)
{
    const char* name = FindName(names, value);
    return name ? name : names[0].name;
}

}  // namespace kalderon
