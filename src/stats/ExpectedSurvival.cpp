#include "stats/ExpectedSurvival.h"

#include <algorithm>
#include <cmath>

#include "common/TextFormat.h"
#include "resources/Texts.h"
#include "stats/AnnualSurvivalGrid.h"
#include "stats/GroupCounters.h"
#include "stats/PopulationLookup.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

// The valid cases in case-list order, each with its key: its start within
// its group when stratified, else its start.
class CaseKeys {
public:
    CaseKeys(const CAnalysisData& data, const CaseList& cases, bool stratified)
        : facts_(cases.facts), stratified_(stratified), isEvent_(CaseFacts::Matches(facts_.statusCodes, data.eventCode))
    {
    }

    GroupStart Of(std::uint32_t key) const { return stratified_ ? facts_.groupStarts[key] : GroupStart{0, key}; }

    // visit(key, fact, k, isEvent) for every valid case, k its list position.
    template <typename Visit>
    void ForEach(Visit visit) const
    {
        for (size_t k = 0; k < facts_.cases.size(); ++k) {
            const CaseFact& fact = facts_.cases[k];
            if (fact.observationDays < 0) continue;
            visit(stratified_ ? fact.groupStart : fact.start, fact, k, isEvent_[fact.statusCode] != 0);
        }
    }

private:
    const CaseFacts& facts_;
    bool stratified_;
    std::vector<std::uint8_t> isEvent_;
};

// Writes the terms of a start for `years` follow-up years into `block`
// from its annual survivals p(y0 + i, a0 + i, sex), i = 0 .. years - 1.
using FillTerms = void (*)(const double* annual, double* block, int years);

// Per start of follow-up, a block of expected-survival terms for every
// follow-up year, computed on first use.
class StartTerms {
public:
    StartTerms(const CAnalysisData& data, const CaseFacts& facts, int years, int blockSize, FillTerms fill)
        : fill_(fill),
          grid_(data.populationTables),
          facts_(facts),
          firstSex_(CaseFacts::Matches(facts.sexCodes, data.sexCodeFirst)),
          years_(years),
          blockSize_(blockSize),
          slotOfStart_(facts.starts.size(), -1),
          annual_(years)
    {
    }

    const double* For(std::uint32_t start)
    {
        std::int32_t& slot = slotOfStart_[start];
        if (slot < 0) {
            slot = static_cast<std::int32_t>(pool_.size() / blockSize_);
            pool_.resize(pool_.size() + blockSize_);
            const StartKey& key = facts_.starts[start];
            const int sex = firstSex_[key.sexCode] ? 0 : 1;
            for (int i = 0; i < years_; ++i) annual_[i] = grid_(sex, key.year + i, key.age + i);
            fill_(annual_.data(), &pool_[static_cast<size_t>(slot) * blockSize_], years_);
        }
        return &pool_[static_cast<size_t>(slot) * blockSize_];
    }

private:
    FillTerms fill_;
    AnnualSurvivalGrid grid_;
    const CaseFacts& facts_;
    std::vector<std::uint8_t> firstSex_;
    int years_;
    size_t blockSize_;
    std::vector<std::int32_t> slotOfStart_;
    std::vector<double> pool_;
    std::vector<double> annual_;
};

// Ederer II's terms of a start are its annual survivals.
void FillEdererTerms(const double* annual, double* block, int years)
{
    std::copy(annual, annual + years, block);
}

// Ederer II: how many cases reach each follow-up year, and the sum of their
// annual expected survivals there.
struct EdererSums {
    explicit EdererSums(int years) : count(years, 0), sum(years, 0.0) {}
    std::vector<std::int64_t> count;
    std::vector<double> sum;
};

// The follow-up in days a cut gives a case (negative: the case adds nothing).
using CutOfCase = double (*)(const CAnalysisData&, const CaseList&, const CaseFact&, size_t k, bool isEvent);

// Per analysed group.  A case reaches the years 0 .. t of its follow-up and
// adds its annual survival to each of them.  The sums are taken case by case
// in case-list order, so that every double is the one the year-by-year walk
// of the cases gives; cases that start alike share the survivals they add.
std::vector<EdererSums> SumEderer(const CAnalysisData& data, const CaseList& cases, const CaseKeys& keys,
                                  StartTerms& terms, int groups, int years, CutOfCase cut)
{
    std::vector<EdererSums> sums(groups, EdererSums(years));
    keys.ForEach([&](std::uint32_t key, const CaseFact& fact, size_t k, bool isEvent) {
        const GroupStart at = keys.Of(key);
        if (at.group >= groups) return;
        const double days = cut(data, cases, fact, k, isEvent);
        if (days < 0) return;
        const int reached = std::min(CompleteYears(days), years - 1);
        EdererSums& s = sums[at.group];
        const double* p = terms.For(at.start);
        for (int j = 0; j <= reached; ++j) {
            s.count[j] += 1;
            s.sum[j] += p[j];
        }
    });
    return sums;
}

// Hakulinen's terms of a start per follow-up year i, with c the expected
// survival to the start of year i (1 for i = 0) and P = p(y0 + i, a0 + i):
// c, (1 - P) c, and for a partial last year sqrt(P) c and (1 - sqrt(P)) c.
void FillHakulinenTerms(const double* annual, double* block, int years)
{
    double c = 1.0;
    for (int i = 0; i < years; ++i) {
        const double p = annual[i];
        const double h = std::sqrt(p);
        block[i] = c;
        block[years + i] = (1.0 - p) * c;
        block[2 * years + i] = h * c;
        block[3 * years + i] = (1.0 - h) * c;
        c *= p;
    }
}

// Expected alive at start, deaths in full and in partial years, and
// withdrawals per follow-up year (Hakulinen).
struct HakulinenSums {
    explicit HakulinenSums(int years) : alive(years, 0.0), deadFull(years, 0.0), deadPart(years, 0.0), withdrawn(years, 0.0)
    {
    }
    std::vector<double> alive, deadFull, deadPart, withdrawn;
};

// Per analysed group, case by case in case-list order.  A case with t
// complete years of potential follow-up lives the years before t in full
// and year t in part; potential follow-up beyond the arrays is cut at their
// end, the years it reaches counting as full years.
std::vector<HakulinenSums> SumHakulinen(const CAnalysisData& data, const CaseList& cases, const CaseKeys& keys,
                                        StartTerms& terms, int groups, int years, CutOfCase cut)
{
    std::vector<HakulinenSums> sums(groups, HakulinenSums(years));
    keys.ForEach([&](std::uint32_t key, const CaseFact& fact, size_t k, bool isEvent) {
        const GroupStart at = keys.Of(key);
        if (at.group >= groups) return;
        const double days = cut(data, cases, fact, k, isEvent);
        if (days < 0) return;
        const int t = CompleteYears(days);
        const int full = std::min(t, years);
        HakulinenSums& s = sums[at.group];
        const double* b = terms.For(at.start);
        for (int j = 0; j < full; ++j) {
            s.alive[j] += b[j];
            s.deadFull[j] += b[years + j];
        }
        if (t < years) {
            s.alive[t] += b[t];
            s.withdrawn[t] += b[2 * years + t];
            s.deadPart[t] += b[3 * years + t];
        }
    });
    return sums;
}

int EdererYears(const CAnalysisData& data)
{
    return 1 + CompleteYears(data.maxObservationDays);
}

int HakulinenYears(const CAnalysisData& data)
{
    return 1 + CompleteYears(SpanDays(data.firstBeginDate, data.lastEndDate).value_or(0));
}

int DaysBetween(double from, const DateValue& to)
{
    return static_cast<int>(to.serial() - from);
}

void PrepareArrays(CAnalysisData& data, int groups, int years, bool ederer)
{
    for (CGroupResult& g : data.groupResults) {
        g.expectedCumulative.clear();
        if (ederer) g.expectedInterval.clear();
    }
    for (int g = 0; g < groups; ++g) {
        data.groupResults[g].expectedCumulative.assign(years, 1.0);
        if (ederer) data.groupResults[g].expectedInterval.assign(years, 0.0);
    }
}

int GroupCount(const CAnalysisData& data, bool stratified)
{
    return std::min(AnalysedGroupCount(data, stratified), static_cast<int>(data.groupResults.size()));
}

// Each group's yearly means and their product, from the sums of the cases
// up to the end cut less those up to the begin cut (all zero in the cohort
// version, which has no begin cut).  Years nobody reaches keep their values.
void StoreEderer(CAnalysisData& data, const std::vector<EdererSums>& begun, const std::vector<EdererSums>& ended)
{
    for (size_t g = 0; g < ended.size(); ++g) {
        CGroupResult& result = data.groupResults[g];
        double cumulative = 1.0;
        for (size_t j = 0; j < ended[g].count.size(); ++j) {
            const std::int64_t n = ended[g].count[j] - begun[g].count[j];
            if (n < 1) continue;
            result.expectedInterval[j] = (ended[g].sum[j] - begun[g].sum[j]) / static_cast<double>(n);
            cumulative *= result.expectedInterval[j];
            result.expectedCumulative[j] = cumulative;
        }
    }
}

double ObservedDays(const CAnalysisData&, const CaseList&, const CaseFact& fact, size_t, bool)
{
    return fact.observationDays;
}

void CohortEderer(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    const int years = EdererYears(data);
    const int groups = GroupCount(data, stratified);
    PrepareArrays(data, groups, years, true);
    const CaseKeys keys(data, cases, stratified);
    StartTerms terms(data, cases.facts, years, years, FillEdererTerms);
    StoreEderer(data, std::vector<EdererSums>(groups, EdererSums(years)),
                SumEderer(data, cases, keys, terms, groups, years, ObservedDays));
}

// Hakulinen's potential follow-up: the observed one of a censored case, up
// to the common closing date for a death.
double PotentialDays(const CAnalysisData& data, const CaseList& cases, const CaseFact& fact, size_t k, bool isEvent)
{
    if (!isEvent) return fact.observationDays;
    const DateValue& closing = data.closingDate.isValid() ? data.closingDate : data.lastEndDate;
    return DaysBetween(cases.facts.beginDays[k], closing);
}

void CohortHakulinen(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    const int years = HakulinenYears(data);
    const int groups = GroupCount(data, stratified);
    PrepareArrays(data, groups, years, false);
    const CaseKeys keys(data, cases, stratified);
    StartTerms terms(data, cases.facts, years, 4 * years, FillHakulinenTerms);
    const std::vector<HakulinenSums> sums = SumHakulinen(data, cases, keys, terms, groups, years, PotentialDays);
    for (int g = 0; g < groups; ++g) {
        const HakulinenSums& s = sums[g];
        double cumulative = 1.0;
        for (int j = 0; j < years && s.alive[j] != 0.0; ++j) {
            cumulative *= 1.0 - (s.deadFull[j] + s.deadPart[j]) / (s.alive[j] - s.withdrawn[j] * 0.5);
            data.groupResults[g].expectedCumulative[j] = cumulative;
        }
    }
}

// The two cuts of the period version: follow-up up to the day before the
// period begins and up to the end of the period.  A case that ends before
// a cut keeps its observed follow-up there; for Hakulinen only a censored
// case does.
template <bool kHakulinen>
double DaysAtPeriodBegin(const CAnalysisData& data, const CaseList& cases, const CaseFact& fact, size_t k, bool isEvent)
{
    const bool keepObserved = !(kHakulinen && isEvent);
    return cases.facts.endDays[k] < data.periodBegin.serial() && keepObserved
               ? fact.observationDays
               : DaysBetween(cases.facts.beginDays[k], data.periodBegin) - 1.0;
}

template <bool kHakulinen>
double DaysAtPeriodEnd(const CAnalysisData& data, const CaseList& cases, const CaseFact& fact, size_t k, bool isEvent)
{
    const bool keepObserved = !(kHakulinen && isEvent);
    return cases.facts.endDays[k] <= data.periodEnd.serial() && keepObserved
               ? fact.observationDays
               : DaysBetween(cases.facts.beginDays[k], data.periodEnd) * 1.0;
}

void PeriodEderer(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    const int years = EdererYears(data);
    const int groups = GroupCount(data, stratified);
    PrepareArrays(data, groups, years, true);
    const CaseKeys keys(data, cases, stratified);
    StartTerms terms(data, cases.facts, years, years, FillEdererTerms);
    StoreEderer(data, SumEderer(data, cases, keys, terms, groups, years, DaysAtPeriodBegin<false>),
                SumEderer(data, cases, keys, terms, groups, years, DaysAtPeriodEnd<false>));
}

void PeriodHakulinen(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    const int years = HakulinenYears(data);
    const int groups = GroupCount(data, stratified);
    PrepareArrays(data, groups, years, false);
    const CaseKeys keys(data, cases, stratified);
    StartTerms terms(data, cases.facts, years, 4 * years, FillHakulinenTerms);
    const std::vector<HakulinenSums> begun =
        SumHakulinen(data, cases, keys, terms, groups, years, DaysAtPeriodBegin<true>);
    const std::vector<HakulinenSums> ended =
        SumHakulinen(data, cases, keys, terms, groups, years, DaysAtPeriodEnd<true>);
    for (int g = 0; g < groups; ++g) {
        const HakulinenSums& b = begun[g];
        const HakulinenSums& e = ended[g];
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
    if (data.SurvivalMethod() == ExpectedSurvivalMethod::kHakulinen)
        CohortHakulinen(data, cases, stratified);
    else
        CohortEderer(data, cases, stratified);
}

void ComputeExpectedSurvivalPeriod(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    if (data.SurvivalMethod() == ExpectedSurvivalMethod::kHakulinen)
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

Refusal RelativeSurvivalRefusal(const CAnalysisData& data)
{
    if (data.populationTableName.empty())
        return text::kNoPopulationTableChosen;
    bool hasRows = false;
    for (const CPopulationYearTable& t : data.populationTables)
        hasRows = hasRows || (!t.firstSex.empty() && !t.secondSex.empty());
    if (!hasRows)
        return FormatText(text::kPopulationTableWithoutRows, data.populationTableName);
    return std::nullopt;
}

}  // namespace kalderon
