#include "stats/ExpectedSurvival.h"

#include <algorithm>
#include <cmath>

#include "stats/AnnualSurvivalGrid.h"
#include "stats/CalendarTable.h"
#include "stats/GroupCounters.h"
#include "stats/PopulationLookup.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

// Calendar year, age and sex (0 first, 1 second) of a case at the begin of
// its follow-up.
struct Person {
    int year;
    int age;
    int sex;
};

class AnnualSurvival {
public:
    explicit AnnualSurvival(const CAnalysisData& data) : grid_(data.populationTables), sexCodeFirst_(data.sexCodeFirst)
    {
    }
    Person PersonOf(const CCaseRecord& c) const
    {
        const YearAndDay begin = LookUpYearAndDay(c.beginDate);
        return {begin.year, std::max(0, CompletedYearsOfAge(LookUpYearAndDay(c.birthDate), begin)),
                AnnualSurvivalGrid::SexIndex(c.sexText, sexCodeFirst_)};
    }
    // The survival of follow-up year i.
    double operator()(const Person& p, int i) const { return grid_(p.sex, p.year + i, p.age + i); }

private:
    AnnualSurvivalGrid grid_;
    const std::string& sexCodeFirst_;
};

// Number and sum of annual expected survivals per follow-up year (Ederer II).
struct EdererSums {
    explicit EdererSums(int years) : count(years, 0), sum(years, 0.0) {}
    void Add(const Person& p, double days, const AnnualSurvival& survival)
    {
        if (days < 0) return;
        const int last = std::min(CompleteYears(days), static_cast<int>(count.size()) - 1);
        for (int i = 0; i <= last; ++i) {
            count[i] += 1;
            sum[i] += survival(p, i);
        }
    }
    std::vector<std::int64_t> count;
    std::vector<double> sum;
};

// Expected alive at start, deaths in full and in partial years, and
// withdrawals per follow-up year (Hakulinen).  Potential follow-up beyond the
// arrays is cut at their end: the years it reaches count as full years.
struct HakulinenSums {
    explicit HakulinenSums(int years) : alive(years, 0.0), deadFull(years, 0.0), deadPart(years, 0.0), withdrawn(years, 0.0) {}
    void Add(const Person& p, double potentialDays, const AnnualSurvival& survival)
    {
        if (potentialDays < 0) return;
        const int years = static_cast<int>(alive.size());
        const int t = CompleteYears(potentialDays);
        double c = 1.0;
        double lastP = 1.0;
        for (int i = 0; i <= t && i < years; ++i) {
            lastP = survival(p, i);
            alive[i] += c;
            if (i < t) {
                deadFull[i] += (1.0 - lastP) * c;
                c *= lastP;
            }
        }
        if (t < years) {
            const double h = std::sqrt(lastP);
            withdrawn[t] += h * c;
            deadPart[t] += (1.0 - h) * c;
        }
    }
    std::vector<double> alive, deadFull, deadPart, withdrawn;
};

int EdererYears(const CAnalysisData& data)
{
    return 1 + CompleteYears(data.maxObservationDays);
}

int HakulinenYears(const CAnalysisData& data)
{
    return 1 + CompleteYears(SpanDays(data.firstBeginDate, data.lastEndDate).value_or(0));
}

int DaysBetween(const DateValue& from, const DateValue& to)
{
    return static_cast<int>(to.serial() - from.serial());
}

double HakulinenPotential(const CAnalysisData& data, const CCaseRecord& c)
{
    if (c.statusText != data.eventCode) return c.observationDays;
    const DateValue& closing = data.closingDate.isValid() ? data.closingDate : data.lastEndDate;
    return DaysBetween(c.beginDate, closing);
}

void PrepareArrays(CAnalysisData& data, int groups, int years, bool ederer)
{
    for (CGroupResult& g : data.groupResults) {
        g.expectedCumulative.clear();
        if (ederer) g.expectedInterval.clear();
    }
    for (int g = 0; g < groups && g < static_cast<int>(data.groupResults.size()); ++g) {
        data.groupResults[g].expectedCumulative.assign(years, 1.0);
        if (ederer) data.groupResults[g].expectedInterval.assign(years, 0.0);
    }
}

template <typename Visit>
void ForEachValidCase(const CAnalysisData& data, const CaseList& cases, bool stratified,
                      const AnnualSurvival& survival, Visit visit)
{
    for (size_t k = 0; k < cases.records.size(); ++k) {
        const CCaseRecord& c = cases.records[k];
        if (!c.isValid) continue;
        const int g = AnalysisGroup(cases, k, stratified);
        if (g >= static_cast<int>(data.groupResults.size())) continue;
        visit(g, c, survival.PersonOf(c));
    }
}

int GroupCount(const CAnalysisData& data, bool stratified)
{
    return std::min(AnalysedGroupCount(data, stratified), static_cast<int>(data.groupResults.size()));
}

void CohortEderer(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    const int years = EdererYears(data);
    const int groups = GroupCount(data, stratified);
    PrepareArrays(data, groups, years, true);
    const AnnualSurvival survival(data);
    std::vector<EdererSums> sums(groups, EdererSums(years));
    ForEachValidCase(data, cases, stratified, survival, [&](int g, const CCaseRecord& c, const Person& p) {
        sums[g].Add(p, c.observationDays, survival);
    });
    for (int g = 0; g < groups; ++g) {
        CGroupResult& result = data.groupResults[g];
        double cumulative = 1.0;
        for (int j = 0; j < years; ++j) {
            if (sums[g].count[j] <= 0) continue;
            result.expectedInterval[j] = sums[g].sum[j] / static_cast<double>(sums[g].count[j]);
            cumulative *= result.expectedInterval[j];
            result.expectedCumulative[j] = cumulative;
        }
    }
}

void CohortHakulinen(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    const int years = HakulinenYears(data);
    const int groups = GroupCount(data, stratified);
    PrepareArrays(data, groups, years, false);
    const AnnualSurvival survival(data);
    std::vector<HakulinenSums> sums(groups, HakulinenSums(years));
    ForEachValidCase(data, cases, stratified, survival, [&](int g, const CCaseRecord& c, const Person& p) {
        sums[g].Add(p, HakulinenPotential(data, c), survival);
    });
    for (int g = 0; g < groups; ++g) {
        HakulinenSums& s = sums[g];
        double cumulative = 1.0;
        for (int j = 0; j < years && s.alive[j] != 0.0; ++j) {
            s.deadFull[j] += s.deadPart[j];
            cumulative *= 1.0 - s.deadFull[j] / (s.alive[j] - s.withdrawn[j] * 0.5);
            data.groupResults[g].expectedCumulative[j] = cumulative;
        }
    }
}

void PeriodEderer(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    const int years = EdererYears(data);
    const int groups = GroupCount(data, stratified);
    PrepareArrays(data, groups, years, true);
    const AnnualSurvival survival(data);
    std::vector<EdererSums> atBegin(groups, EdererSums(years));
    std::vector<EdererSums> atEnd(groups, EdererSums(years));
    ForEachValidCase(data, cases, stratified, survival, [&](int g, const CCaseRecord& c, const Person& p) {
        const double beginCut = c.endDate.serial() < data.periodBegin.serial()
                                    ? c.observationDays
                                    : DaysBetween(c.beginDate, data.periodBegin) - 1;
        const double endCut = c.endDate.serial() <= data.periodEnd.serial() ? c.observationDays
                                                                             : DaysBetween(c.beginDate, data.periodEnd);
        atBegin[g].Add(p, beginCut, survival);
        atEnd[g].Add(p, endCut, survival);
    });
    for (int g = 0; g < groups; ++g) {
        CGroupResult& result = data.groupResults[g];
        double cumulative = 1.0;
        for (int j = 0; j < years; ++j) {
            const std::int64_t n = atEnd[g].count[j] - atBegin[g].count[j];
            if (n < 1) continue;
            result.expectedInterval[j] = (atEnd[g].sum[j] - atBegin[g].sum[j]) / static_cast<double>(n);
            cumulative *= result.expectedInterval[j];
            result.expectedCumulative[j] = cumulative;
        }
    }
}

void PeriodHakulinen(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    const int years = HakulinenYears(data);
    const int groups = GroupCount(data, stratified);
    PrepareArrays(data, groups, years, false);
    const AnnualSurvival survival(data);
    std::vector<HakulinenSums> atBegin(groups, HakulinenSums(years));
    std::vector<HakulinenSums> atEnd(groups, HakulinenSums(years));
    ForEachValidCase(data, cases, stratified, survival, [&](int g, const CCaseRecord& c, const Person& p) {
        const bool censored = c.statusText != data.eventCode;
        const double beginCut = c.endDate.serial() < data.periodBegin.serial() && censored
                                    ? c.observationDays
                                    : DaysBetween(c.beginDate, data.periodBegin) - 1;
        const double endCut = c.endDate.serial() <= data.periodEnd.serial() && censored
                                  ? c.observationDays
                                  : DaysBetween(c.beginDate, data.periodEnd);
        atBegin[g].Add(p, beginCut, survival);
        atEnd[g].Add(p, endCut, survival);
    });
    for (int g = 0; g < groups; ++g) {
        const HakulinenSums& b = atBegin[g];
        const HakulinenSums& e = atEnd[g];
        double cumulative = 1.0;
        for (int j = 0; j < years; ++j) {
            const double exposed = (e.alive[j] - b.alive[j]) - (e.withdrawn[j] - b.withdrawn[j]) * 0.5;
            const double dead = (e.deadPart[j] - b.deadPart[j]) + (e.deadFull[j] - b.deadFull[j]);
            const double rate = exposed > 0.0 ? dead / exposed : 0.0;
            cumulative *= 1.0 - rate;
            data.groupResults[g].expectedCumulative[j] = cumulative;
        }
    }
}

}  // namespace

void ComputeExpectedSurvivalCohort(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    if (data.useHakulinen)
        CohortHakulinen(data, cases, stratified);
    else
        CohortEderer(data, cases, stratified);
}

void ComputeExpectedSurvivalPeriod(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    if (data.useHakulinen)
        PeriodHakulinen(data, cases, stratified);
    else
        PeriodEderer(data, cases, stratified);
}

double ExpectedSurvivalAt(const CGroupResult& group, double x, double unitDays)
{
    const std::vector<double>& cumulative = group.expectedCumulative;
    if (cumulative.empty()) return 1.0;
    const int size = static_cast<int>(cumulative.size());
    if (unitDays == 365.25) {
        const int index = static_cast<int>(x);
        return cumulative[std::clamp(index, 0, size - 1)];
    }
    const double years = unitDays != 1.0 ? unitDays * (x + 1.0) / 365.25 : x / 365.25;
    const int k = static_cast<int>(years);
    if (k >= size) return cumulative.back();
    const double lower = k > 0 ? cumulative[k - 1] : 1.0;
    const double fraction = years - k;
    return fraction != 0.0 ? lower + fraction * (cumulative[k] - lower) : lower;
}

std::string RelativeSurvivalRefusal(const CAnalysisData& data)
{
    if (data.populationTableName.empty())
        return "No general population life table was chosen: relative survival cannot be computed.";
    bool hasRows = false;
    for (const CPopulationYearTable& t : data.populationTables)
        hasRows = hasRows || (!t.firstSex.empty() && !t.secondSex.empty());
    if (!hasRows)
        return "The general population life table \"" + data.populationTableName +
               "\" holds no usable rows: relative survival cannot be computed.";
    return {};
}

}  // namespace kalderon
