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

StandardisedGroup BrennerStandardisedGroup(const std::vector<NetSurvivalCase>& cases, const AnnualSurvivalGrid& grid,
                                           const BrennerSettings& settings)
{
    StandardisedGroup group;
    std::vector<NetSurvivalCase> weighted;
    std::vector<int> ageGroups;
    std::array<std::int64_t, kIcssAgeGroups> counts{};
    weighted.reserve(cases.size());
    for (const NetSurvivalCase& c : cases) {
        const int k = AgeGroupOf(c);
        if (k < 0) {
            ++group.underAge;
            continue;
        }
        ++counts[k];
        weighted.push_back(c);
        ageGroups.push_back(k);
    }
    const BrennerWeights weights = BrennerWeightsOf(counts, WeightsOfIcss(settings.standard));
    group.weightsUndefined = !weights.defined;
    for (int i = 0; i < settings.intervals; ++i) group.intervals.push_back({i + 1, {}, {}, {}});
    if (!weights.defined) return group;
    for (size_t i = 0; i < weighted.size(); ++i) weighted[i].weight = weights.byAgeGroup[ageGroups[i]];

    const std::vector<AgeGroupEstimate> observed =
        settings.lifeTableTechnique ? WeightedLifeTable(weighted, settings.intervals, settings.unitDays)
                                    : WeightedProductLimit(weighted, settings.intervals, settings.unitDays);
    const WeightedNetSurvival curves = ComputeWeightedNetSurvival(weighted, grid);
    const NetSurvivalCurve& net = curves.net;
    const std::vector<double>& expected = curves.expected;
    const std::int32_t unstableFrom = net.FirstUnstableDay();
    group.netUnstableFromDay = unstableFrom;
    const std::int32_t hiddenFrom = settings.netSurvivalRaw ? -1 : unstableFrom;
    for (int i = 0; i < settings.intervals; ++i) {
        StandardisedInterval& row = group.intervals[i];
        row.observed = observed[i];
        if (!row.observed.available || expected.empty()) continue;
        const std::int32_t day = LastDayOfInterval(static_cast<size_t>(i), settings.unitDays);
        const double e = expected[std::min<size_t>(static_cast<size_t>(day), expected.size() - 1)];
        row.relative = {true, row.observed.value / e, row.observed.standardError / e};
        row.net = NetSurvivalAt(net, day, hiddenFrom);
    }
    return group;
}

}  // namespace kalderon
