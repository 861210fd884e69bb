#include "stats/BrennerStandardisation.h"

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

std::optional<std::vector<double>> BrennerCaseWeights(const std::vector<NetSurvivalCase>& cases,
                                                      std::int32_t standard)
{
    std::vector<double> weights(cases.size());
    std::array<std::int64_t, kIcssAgeGroups> counts{};
    for (size_t i = 0; i < cases.size(); ++i) {
        const int k = AgeGroupOf(cases[i]);
        if (k < 0) return std::nullopt;
        ++counts[k];
        weights[i] = k;
    }
    const BrennerWeights byAgeGroup = BrennerWeightsOf(counts, WeightsOfIcss(standard));
    if (!byAgeGroup.defined) return std::nullopt;
    for (double& w : weights) w = byAgeGroup.byAgeGroup[static_cast<size_t>(w)];
    return weights;
}

StandardisedGroup BrennerStandardisedGroup(std::vector<NetSurvivalCase> weighted, const AnnualSurvivalGrid& grid,
                                           const BrennerSettings& settings, const WeightedNetSurvival* walked)
{
    StandardisedGroup group;
    // The cases of 15 and over kept in place, their age groups beside them.
    std::vector<std::uint8_t> ageGroups(weighted.size());
    std::array<std::int64_t, kIcssAgeGroups> counts{};
    size_t kept = 0;
    for (const NetSurvivalCase& c : weighted) {
        const int k = AgeGroupOf(c);
        if (k < 0) {
            ++group.underAge;
            continue;
        }
        ++counts[k];
        ageGroups[kept] = static_cast<std::uint8_t>(k);
        weighted[kept++] = c;
    }
    weighted.resize(kept);
    const BrennerWeights weights = BrennerWeightsOf(counts, WeightsOfIcss(settings.standard));
    group.weightsUndefined = !weights.defined;
    for (int i = 0; i < settings.intervals; ++i) group.intervals.push_back({i + 1, {}, {}, {}});
    if (!weights.defined) return group;
    for (size_t i = 0; i < kept; ++i) weighted[i].weight = weights.byAgeGroup[ageGroups[i]];

    const WeightedObservedEstimates observed =
        settings.lifeTableTechnique
            ? WeightedObservedEstimates{WeightedLifeTable(weighted, settings.intervals, settings.unitDays), {}}
            : WeightedProductLimitWithDays(weighted, settings.intervals, settings.unitDays);
    const WeightedNetSurvival curves = walked ? *walked : ComputeWeightedNetSurvival(weighted, grid);
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
