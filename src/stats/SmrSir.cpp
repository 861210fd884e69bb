#include "stats/SmrSir.h"

#include <algorithm>
#include <cmath>

#include "stats/GroupCounters.h"
#include "stats/PopulationLookup.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

// The birthday in `year`; 29 February falls on 28 February in common years.
DateValue BirthdayIn(const CivilDate& birth, int year)
{
    int day = birth.day;
    if (birth.month == 2 && day == 29 && !IsLeapYear(year)) day = 28;
    return DateValue::FromYmd(year, birth.month, day);
}

double WholeDays(double from, double to)
{
    const double days = std::trunc(to - from);
    return days > 0.0 ? days : 0.0;
}

}  // namespace

ByarResult ByarLimits(double observed, double expected, double z)
{
    if (observed == 0.0 || expected == 0.0) return {-1.0, -1.0, -1.0};
    const double ratio = observed / expected;
    const double lowerFactor = 1.0 - 1.0 / (9.0 * observed) - z / (3.0 * std::sqrt(observed));
    const double o1 = observed + 1.0;
    const double upperFactor = 1.0 - 1.0 / (9.0 * o1) + z / (3.0 * std::sqrt(o1));
    return {ratio, ratio * std::pow(lowerFactor, 3), (o1 / expected) * std::pow(upperFactor, 3)};
}

void ComputeSmrSir(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    data.title = cases.sourcePath;
    const int firstYear = data.windowBegin.year();
    const int years = data.windowEnd.year() - firstYear + 1;
    const int groups = std::min(AnalysedGroupCount(data, stratified), static_cast<int>(data.groupResults.size()));
    for (CGroupResult& g : data.groupResults) {
        g.expectedInterval.clear();
        ResetRecordCounters(g.info);
    }
    std::vector<double> observed(groups, 0.0);
    std::vector<double> personDays(groups, 0.0);
    for (int g = 0; g < groups; ++g) data.groupResults[g].expectedInterval.assign(std::max(years, 0), 0.0);

    const double z = ZValue(data.ciLevelText);
    const PopulationLookup rates(data.populationTables, data.sexCodeFirst);

    for (size_t k = 0; k < cases.records.size(); ++k) {
        if (!cases.IsSelected(k)) continue;
        const CCaseRecord& c = cases.records[k];
        const int g = AnalysisGroup(cases, k, stratified);
        if (g >= static_cast<int>(data.groupResults.size())) continue;
        CountRecord(data.groupResults[g].info, c.isValid);
        if (!c.isValid) continue;

        const CivilDate birth = c.birthDate.civil();
        const int beginYear = c.beginDate.year();
        const bool pastBirthdayAtBegin = c.beginDate.serial() >= BirthdayIn(birth, beginYear).serial();
        const int ageAtBegin = beginYear - birth.year - (pastBirthdayAtBegin ? 0 : 1);
        const double begin = c.beginDate.serial();
        const double end = c.endDate.serial();
        std::vector<double>& expected = data.groupResults[g].expectedInterval;

        // Calendar years outside the follow-up contribute no days.
        const int from = std::max(firstYear, beginYear);
        const int to = std::min(firstYear + years - 1, c.endDate.year());
        for (int year = from; year <= to; ++year) {
            const double yearStart = DateValue::FromYmd(year - 1, 12, 31).serial();
            const double yearEnd = DateValue::FromYmd(year, 12, 31).serial();
            const double birthday = BirthdayIn(birth, year).serial();
            const double beforeBirthday = WholeDays(std::max(begin, yearStart), std::min(birthday, end));
            const double fromBirthday = WholeDays(std::max(birthday, begin), std::min(end, yearEnd));
            personDays[g] += beforeBirthday + fromBirthday;
            const int ageBefore = ageAtBegin + year - beginYear - (pastBirthdayAtBegin ? 1 : 0);
            if (beforeBirthday >= 1.0)
                expected[year - firstYear] += rates.Value(year, ageBefore / 5, c.sexText) * beforeBirthday;
            if (fromBirthday > 0.0)
                expected[year - firstYear] += rates.Value(year, (ageBefore + 1) / 5, c.sexText) * fromBirthday;
        }
        if (c.statusText == data.eventCode) observed[g] += 1.0;
    }

    for (int g = 0; g < groups; ++g) {
        std::vector<double>& v = data.groupResults[g].expectedInterval;
        double sum = 0.0;
        for (double e : v) sum += e;
        const double expectedEvents = sum * kDaysToYears;
        const ByarResult byar = ByarLimits(observed[g], expectedEvents, z);
        v.insert(v.end(), {byar.ratio, byar.lower, byar.upper, observed[g], expectedEvents, personDays[g] * kDaysToYears});
    }
}

}  // namespace kalderon
