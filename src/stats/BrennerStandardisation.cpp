#include "stats/BrennerStandardisation.h"

#include <algorithm>

#include "stats/CalendarTable.h"
#include "stats/DateValue.h"
#include "stats/NetSurvivalTables.h"
#include "stats/WeightedObservedSurvival.h"

namespace kalderon {
namespace {

int AgeGroupOf(const NetSurvivalCase& c)
{
    return IcssAgeGroup(CompletedYearsOfAge(LookUpYearAndDay(DateValue::FromSerial(c.birthDay)),
                                            LookUpYearAndDay(DateValue::FromSerial(c.beginDay))));
}

// The ICSS age group of each case, -1 under 15.
std::vector<std::int8_t> AgeGroupsOf(const std::vector<NetSurvivalCase>& cases)
{
    std::vector<std::int8_t> ageGroups;
    ageGroups.reserve(cases.size());
    for (const NetSurvivalCase& c : cases) ageGroups.push_back(static_cast<std::int8_t>(AgeGroupOf(c)));
    return ageGroups;
}

// The cases of 15 and over kept in place, with the weights of their age groups.
BrennerCases WithWeights(std::vector<NetSurvivalCase> cases, const std::vector<std::int8_t>& ageGroups,
                         std::int32_t standard)
{
    BrennerCases brenner;
    std::vector<std::uint8_t>& classOf = brenner.ageGroups.classOf;
    classOf.resize(cases.size());
    std::array<std::int64_t, kIcssAgeGroups> counts{};
    size_t kept = 0;
    for (size_t i = 0; i < cases.size(); ++i) {
        const int k = ageGroups[i];
        if (k < 0) {
            ++brenner.underAge;
            continue;
        }
        ++counts[k];
        classOf[kept] = static_cast<std::uint8_t>(k);
        cases[kept++] = cases[i];
    }
    cases.resize(kept);
    classOf.resize(kept);
    const BrennerWeights weights = BrennerWeightsOf(counts, WeightsOfIcss(standard));
    brenner.defined = weights.defined;
    if (weights.defined) {
        brenner.ageGroups.weights.assign(weights.byAgeGroup.begin(), weights.byAgeGroup.end());
        for (size_t i = 0; i < kept; ++i) cases[i].weight = weights.byAgeGroup[classOf[i]];
    }
    brenner.cases = std::move(cases);
    return brenner;
}

AgeGroupEstimate NetSurvivalAt(const NetSurvivalCurve& curve, std::int32_t day, std::int32_t hiddenFrom)
{
    if (curve.cumulativeHazard.empty() || (hiddenFrom >= 0 && day >= hiddenFrom)) return {};
    return {true, curve.SurvivalAt(day), curve.StandardErrorAt(day)};
}

// Observed, Ederer II relative and net survival at the end of `day`.
StandardisedInterval WeightedEstimates(std::int32_t number, std::int32_t day, const AgeGroupEstimate& observed,
                                       const WeightedNetSurvival& curves, std::int32_t hiddenFrom)
{
    StandardisedInterval row{number, observed, {}, {}};
    const std::vector<double>& expected = curves.expected;
    if (!observed.available || expected.empty()) return row;
    const double e = expected[std::min<size_t>(static_cast<size_t>(day), expected.size() - 1)];
    row.relative = {true, observed.value / e, observed.standardError / e};
    row.net = NetSurvivalAt(curves.net, day, hiddenFrom);
    return row;
}

}  // namespace

BrennerWeights BrennerWeightsOf(const std::array<std::int64_t, kIcssAgeGroups>& counts, const IcssWeights& standard)
{
    BrennerWeights weights;
    std::int64_t total = 0;
    for (const std::int64_t n : counts) {
        if (n <= 0) return weights;
        total += n;
    }
    for (int k = 0; k < kIcssAgeGroups; ++k)
        weights.byAgeGroup[k] = standard[k] * static_cast<double>(total) / static_cast<double>(counts[k]);
    weights.defined = true;
    return weights;
}

BrennerCases BrennerCasesOf(std::vector<NetSurvivalCase> cases, std::int32_t standard)
{
    const std::vector<std::int8_t> ageGroups = AgeGroupsOf(cases);
    return WithWeights(std::move(cases), ageGroups, standard);
}

NetSurvivalCurve NetSurvivalWithBrennerCases(std::vector<NetSurvivalCase> cases, const AnnualSurvivalGrid& grid,
                                             std::int32_t standard, BrennerWalk& brenner)
{
    const std::vector<std::int8_t> ageGroups = AgeGroupsOf(cases);
    // The cases under 15 are walked without weights only.
    const bool underAge = std::find(ageGroups.begin(), ageGroups.end(), -1) != ageGroups.end();
    NetSurvivalCurve net;
    if (underAge) net = ComputeNetSurvivalCurve(cases, grid);
    brenner.cases = WithWeights(std::move(cases), ageGroups, standard);
    if (underAge) return net;
    if (!brenner.cases.defined) return ComputeNetSurvivalCurve(brenner.cases.cases, grid);
    NetSurvivalWithWeighted both = ComputeNetSurvivalWithWeighted(brenner.cases.cases, grid, brenner.cases.ageGroups);
    brenner.walked = std::move(both.weighted);
    return std::move(both.net);
}

StandardisedGroup BrennerStandardisedGroup(const BrennerCases& brenner, const AnnualSurvivalGrid& grid,
                                           const BrennerSettings& settings, const WeightedNetSurvival* walked)
{
    StandardisedGroup group;
    group.underAge = brenner.underAge;
    group.weightsUndefined = !brenner.defined;
    for (int i = 0; i < settings.intervals; ++i) group.intervals.push_back({i + 1, {}, {}, {}});
    if (!brenner.defined) return group;

    const std::vector<NetSurvivalCase>& weighted = brenner.cases;
    const WeightedObservedEstimates observed =
        settings.lifeTableTechnique
            ? WeightedObservedEstimates{WeightedLifeTable(weighted, settings.intervals, settings.unitDays), {}}
            : WeightedProductLimitWithDays(weighted, settings.intervals, settings.unitDays);
    std::optional<WeightedNetSurvival> ownWalk;
    if (!walked) walked = &ownWalk.emplace(ComputeWeightedNetSurvival(weighted, grid, brenner.ageGroups));
    const WeightedNetSurvival& curves = *walked;
    group.netUnstableFromDay = curves.net.FirstUnstableDay();
    const std::int32_t hiddenFrom = settings.netSurvivalRaw ? -1 : group.netUnstableFromDay;
    for (int i = 0; i < settings.intervals; ++i)
        group.intervals[i] = WeightedEstimates(i + 1, LastDayOfInterval(static_cast<size_t>(i), settings.unitDays),
                                               observed.intervals[i], curves, hiddenFrom);
    for (size_t day = 0; day < observed.days.size(); ++day)
        group.days.push_back(WeightedEstimates(static_cast<std::int32_t>(day), static_cast<std::int32_t>(day),
                                               observed.days[day], curves, hiddenFrom));
    return group;
}

}  // namespace kalderon
