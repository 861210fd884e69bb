#include "stats/NetSurvival.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "stats/CalendarTable.h"
#include "stats/DateValue.h"

namespace kalderon {
namespace {

constexpr int kMonthDays = 12 * 32 + 32;  // month * 32 + day stays below this

// Days from 1 January to the first date of a year whose month and day are
// not before a given month * 32 + day (a 29 February birthday falls on
// 1 March in other years), for common and leap years.
class BirthdayOffsets {
public:
    BirthdayOffsets()
    {
        for (int leap = 0; leap < 2; ++leap) {
            const int year = leap ? 2000 : 2001;
            int offset = 0;
            int next = 0;
            for (int m = 1; m <= 12; ++m)
                for (int d = 1; d <= DaysInMonth(year, m); ++d, ++offset)
                    for (; next <= m * 32 + d; ++next) table_[leap][next] = offset;
            for (; next < kMonthDays; ++next) table_[leap][next] = offset;
        }
    }
    int operator()(bool leap, int monthDay) const { return table_[leap ? 1 : 0][monthDay]; }

private:
    int table_[2][kMonthDays] = {};
};

// Walks a case's follow-up cell by cell: visit(first, last, cell, hazard,
// cumulative) for every run of days first .. last (>= 1) spent in one cell,
// with the expected cumulative hazard accumulated before the run.  Returns
// the cumulative hazard at the end of follow-up.
class CellWalk {
public:
    CellWalk(const AnnualSurvivalGrid& grid) : grid_(grid), hazard_(grid.CellCount())
    {
        for (size_t cell = 0; cell < hazard_.size(); ++cell) hazard_[cell] = -std::log(grid.CellSurvival(cell)) / 365.25;
    }

    double Hazard(size_t cell) const { return hazard_[cell]; }

    template <typename Visit>
    double operator()(const NetSurvivalCase& c, Visit visit)
    {
        const YearAndDay begin = LookUpYearAndDay(DateValue::FromSerial(c.beginDay));
        const YearAndDay birth = LookUpYearAndDay(DateValue::FromSerial(c.birthDay));
        int year = begin.year;
        bool leap = IsLeapYear(year);
        int dayOfYear = static_cast<int>(std::trunc(c.beginDay) - NewYear(year));
        int birthday = offsets_(leap, birth.monthDay);
        int age = year - birth.year - (dayOfYear >= birthday ? 0 : 1);
        double cumulative = 0.0;
        for (std::int32_t s = 1; s <= c.lastDay;) {
            const int yearLength = leap ? 366 : 365;
            const int boundary = dayOfYear < birthday ? birthday : yearLength;
            const std::int32_t length = std::min<std::int32_t>(boundary - dayOfYear, c.lastDay - s + 1);
            const size_t cell = grid_.CellIndex(c.sex, year, age);
            visit(s, s + length - 1, cell, hazard_[cell], cumulative);
            cumulative += hazard_[cell] * length;
            s += length;
            dayOfYear += length;
            if (dayOfYear == birthday) ++age;
            if (dayOfYear == yearLength) {
                ++year;
                leap = IsLeapYear(year);
                dayOfYear = 0;
                birthday = offsets_(leap, birth.monthDay);
                if (birthday == 0) ++age;
            }
        }
        return cumulative;
    }

private:
    double NewYear(int year)
    {
        if (year < firstYear_ || year >= firstYear_ + static_cast<int>(newYears_.size())) {
            firstYear_ = year - 200;
            newYears_.clear();
            for (int y = firstYear_; y < firstYear_ + 400; ++y) newYears_.push_back(DateValue::FromYmd(y, 1, 1).serial());
        }
        return newYears_[year - firstYear_];
    }

    const AnnualSurvivalGrid& grid_;
    std::vector<double> hazard_;
    BirthdayOffsets offsets_;
    int firstYear_ = 0;
    std::vector<double> newYears_;
};

// A cell's share of the weighted sums changes on a day: a case's
// exp(cumulative - hazard s), times its weight in each sum, added to (or, for
// removed, taken from) the sums of the cell's cases.  One record per change,
// so that writing the changes in day order touches one place per change.
struct CellChange {
    double factor;
    std::uint32_t cell;  // high bit set when removed
    std::uint32_t caseIndex;
};

struct CellChanges {
    std::vector<std::uint32_t> first;  // per day: where its changes begin
    // Every record is written once, so that none is set before.
    std::unique_ptr<CellChange[]> changes;
};

constexpr std::uint32_t kRemoved = 0x80000000u;

// The weights of the cases in each weighted sum the walk keeps, indexed like
// the cases; none for a sum whose weights are all 1.
template <size_t kSums>
class SumWeights {
public:
    // Per sum: the cases' own weights (none given) or those given.
    SumWeights(const std::vector<NetSurvivalCase>& cases, const std::array<const std::vector<double>*, kSums>& given)
    {
        for (size_t n = 0; n < kSums; ++n) {
            if (!given[n]) {
                if (own_.empty())
                    for (const NetSurvivalCase& c : cases) own_.push_back(c.weight);
                given_[n] = &own_;
            } else {
                given_[n] = given[n];
            }
            const auto one = [](double w) { return w == 1.0; };
            weights_[n] = std::all_of(given_[n]->begin(), given_[n]->end(), one) ? nullptr : given_[n]->data();
        }
    }

    double Of(size_t sum, size_t i) const { return (*given_[sum])[i]; }
    // The weights of a sum, none when they are all 1.
    const double* Weights(size_t sum) const { return weights_[sum]; }

private:
    std::vector<double> own_;
    std::array<const std::vector<double>*, kSums> given_{};
    std::array<const double*, kSums> weights_{};
};

// The last day any case is at risk, -1 when none is.
std::int32_t LastDayAtRisk(const std::vector<NetSurvivalCase>& cases)
{
    std::int32_t lastDay = -1;
    for (const NetSurvivalCase& c : cases)
        if (c.firstDay <= c.lastDay) lastDay = std::max(lastDay, c.lastDay);
    return lastDay;
}

// Calls change(day, removed) for the day a case enters the risk set of a run
// of days from .. to and for the day after it leaves it.
template <typename Change>
void OnRisk(const NetSurvivalCase& c, std::int32_t from, std::int32_t to, Change change)
{
    const std::int32_t first = std::max(from, c.firstDay);
    if (first > to) return;
    change(first, false);
    change(to + 1, true);
}

// What the cases bring to a weighted sum: the deaths with their weights and
// the squares of the weights, and the day-0 risk set.
struct SumContributions {
    std::vector<double> deaths, squares;
    double atRiskOnDayZero = 0.0;
};

template <size_t kSums>
struct CaseContributions {
    std::array<SumContributions, kSums> sums;
    CellChanges changes;  // in day order
};

// The changes are counted first, then written in day order.  A change's
// factor is the inverse of the case's expected survival to the start of the
// run, less the run's days before it.
template <size_t kSums>
CaseContributions<kSums> GatherContributions(const std::vector<NetSurvivalCase>& cases, CellWalk& walk, size_t days,
                                             const SumWeights<kSums>& sums)
{
    CaseContributions<kSums> gathered;
    for (SumContributions& sum : gathered.sums) {
        sum.deaths.assign(days, 0.0);
        sum.squares.assign(days, 0.0);
    }
    std::vector<std::uint32_t> count(days + 1, 0);
    for (const NetSurvivalCase& c : cases) {
        if (c.firstDay > c.lastDay) continue;
        walk(c, [&](std::int32_t from, std::int32_t to, size_t, double, double) {
            OnRisk(c, from, to, [&](std::int32_t day, bool) { ++count[day]; });
        });
    }
    CellChanges& changes = gathered.changes;
    changes.first.assign(days + 2, 0);
    for (size_t d = 0; d <= days; ++d) changes.first[d + 1] = changes.first[d] + count[d];
    changes.changes.reset(new CellChange[changes.first[days + 1]]);
    std::vector<std::uint32_t> next(changes.first.begin(), changes.first.end() - 1);
    for (size_t i = 0; i < cases.size(); ++i) {
        const NetSurvivalCase& c = cases[i];
        if (c.firstDay > c.lastDay) continue;
        std::array<double, kSums> weight;
        for (size_t n = 0; n < kSums; ++n) weight[n] = sums.Of(n, i);
        const double cumulative =
            walk(c, [&](std::int32_t from, std::int32_t to, size_t cell, double hazard, double before) {
                const double factor = std::exp(before - hazard * (from - 1));
                OnRisk(c, from, to, [&](std::int32_t day, bool removed) {
                    CellChange& change = changes.changes[next[day]++];
                    change.factor = factor;
                    change.cell = static_cast<std::uint32_t>(cell) | (removed ? kRemoved : 0u);
                    change.caseIndex = static_cast<std::uint32_t>(i);
                });
            });
        for (size_t n = 0; n < kSums; ++n) {
            SumContributions& sum = gathered.sums[n];
            if (c.firstDay == 0) sum.atRiskOnDayZero += weight[n];
            if (c.died) {
                const double weighted = weight[n] * std::exp(cumulative);
                sum.deaths[c.lastDay] += weighted;
                sum.squares[c.lastDay] += weighted * weighted;
            }
        }
    }
    return gathered;
}

// A sum that takes terms away again without losing the small ones it keeps:
// the rounding error of every addition is carried along (Neumaier's
// compensated summation).  A cell's factors span many orders of magnitude
// (a case's weight grows with its expected hazard, and cases meet in a cell
// on very different days of follow-up), so that a plain sum keeps, once a
// large factor has left, rounding residue that exp(h day) then magnifies.
class CompensatedSum {
public:
    void Add(double term)
    {
        const double total = sum_ + term;
        // An infinite weight stays infinite (and the estimate undefined).
        if (std::isfinite(total)) error_ += std::fabs(sum_) >= std::fabs(term) ? (sum_ - total) + term : (term - total) + sum_;
        sum_ = total;
    }
    void Reset() { sum_ = error_ = 0.0; }
    double Value() const { return sum_ + error_; }

private:
    double sum_ = 0.0;
    double error_ = 0.0;
};

// The cells that hold someone at risk on the current day, each with one sum
// of its cases' weighted factors per weighted sum of the walk.
template <size_t kSums>
class ActiveCells {
public:
    // `withExpected`: also the sum of the last sum's weights at risk and of
    // their expected survival over a day, kept as the cases come and go.
    ActiveCells(const CellWalk& walk, size_t cellCount, bool withExpected)
        : sum_(cellCount * kSums), members_(cellCount, 0), position_(cellCount, 0), hazard_(cellCount),
          growth_(cellCount), scale_(cellCount, 0.0), scaledOn_(cellCount, -2), withExpected_(withExpected),
          daySurvival_(withExpected ? cellCount : 0)
    {
        for (size_t cell = 0; cell < cellCount; ++cell) {
            hazard_[cell] = walk.Hazard(cell);
            growth_[cell] = std::exp(hazard_[cell]);
            if (withExpected) daySurvival_[cell] = std::exp(-hazard_[cell]);
        }
    }

    // Applies the changes of `day`.
    void Change(const CellChanges& changes, const SumWeights<kSums>& weights, size_t day)
    {
        for (std::uint32_t k = changes.first[day]; k < changes.first[day + 1]; ++k) {
            const CellChange& change = changes.changes[k];
            const std::uint32_t cell = change.cell & ~kRemoved;
            const bool removed = change.cell & kRemoved;
            if (withExpected_) {
                const double* last = weights.Weights(kSums - 1);
                const double weight = last ? last[change.caseIndex] : 1.0;
                weights_.Add(removed ? -weight : weight);
                surviving_.Add((removed ? -weight : weight) * daySurvival_[cell]);
            }
            CompensatedSum* sums = &sum_[cell * kSums];
            for (size_t n = 0; n < kSums; ++n) {
                const double* weight = weights.Weights(n);
                const double factor = weight ? weight[change.caseIndex] * change.factor : change.factor;
                sums[n].Add(removed ? -factor : factor);
            }
            if (removed)
                Leave(cell);
            else
                Enter(cell);
        }
    }

    // Adds to each sum's weighted number at risk on `day` (the days come in
    // order) and its expected deaths.
    void Weigh(std::int32_t day, std::array<double, kSums>& atRisk, std::array<double, kSums>& expected)
    {
        std::array<double, kSums> risk = atRisk, deaths = expected;
        for (const std::uint32_t cell : active_) {
            const double scale = Scale(cell, day);
            const CompensatedSum* sums = &sum_[cell * kSums];
            for (size_t n = 0; n < kSums; ++n) {
                const double weighted = sums[n].Value() * scale;
                risk[n] += weighted;
                deaths[n] += weighted * hazard_[cell];
            }
        }
        atRisk = risk;
        expected = deaths;
    }

    // The weighted mean of the expected survival over the current day of
    // the cases at risk on it (`withExpected`); 1 when nobody is.
    double MeanDaySurvival() const
    {
        const double weights = weights_.Value();
        return active_.empty() || !(weights > 0.0) ? 1.0 : surviving_.Value() / weights;
    }

private:
    void Enter(std::uint32_t cell)
    {
        if (members_[cell]++ == 0) {
            position_[cell] = static_cast<std::uint32_t>(active_.size());
            active_.push_back(cell);
        }
    }

    void Leave(std::uint32_t cell)
    {
        if (--members_[cell] > 0) return;
        for (size_t n = 0; n < kSums; ++n) sum_[cell * kSums + n].Reset();
        const std::uint32_t last = active_.back();
        active_[position_[cell]] = last;
        position_[last] = position_[cell];
        active_.pop_back();
    }

    // exp(hazard x day): from the day before by one product, afresh every
    // kFreshScaleDays days and for a cell not weighed the day before, so that
    // the rounding of the products stays far below the estimate's precision.
    double Scale(std::uint32_t cell, std::int32_t day)
    {
        static constexpr std::int32_t kFreshScaleDays = 32;
        double& scale = scale_[cell];
        if (scaledOn_[cell] == day - 1 && day % kFreshScaleDays != 0)
            scale *= growth_[cell];
        else
            scale = std::exp(hazard_[cell] * static_cast<double>(day));
        scaledOn_[cell] = day;
        return scale;
    }

    std::vector<CompensatedSum> sum_;  // per cell, one per weighted sum
    std::vector<std::uint32_t> members_;
    std::vector<std::uint32_t> position_;
    std::vector<std::uint32_t> active_;
    std::vector<double> hazard_, growth_, scale_;
    std::vector<std::int32_t> scaledOn_;
    bool withExpected_;
    std::vector<double> daySurvival_;
    CompensatedSum weights_, surviving_;
};

}  // namespace

double NetSurvivalCurve::SurvivalAt(std::int32_t day) const
{
    if (cumulativeHazard.empty() || day < 0) return 1.0;
    return std::exp(-cumulativeHazard[std::min<size_t>(day, cumulativeHazard.size() - 1)]);
}

double NetSurvivalCurve::StandardErrorAt(std::int32_t day) const
{
    if (variance.empty() || day < 0) return 0.0;
    return SurvivalAt(day) * std::sqrt(variance[std::min<size_t>(day, variance.size() - 1)]);
}

std::int32_t NetSurvivalCurve::FirstUnstableDay() const
{
    for (size_t d = 0; d < cumulativeHazard.size(); ++d) {
        const auto day = static_cast<std::int32_t>(d);
        const double survival = SurvivalAt(day), standardError = StandardErrorAt(day);
        if (!(survival <= kMaxStableNetSurvival) || !(standardError <= kMaxStableStandardError)) return day;
    }
    return -1;
}

namespace {

// The net survival curve of each weighted sum and, with `expected`, the
// weighted expected survival of the last per day, in one walk over the days.
template <size_t kSums>
std::array<NetSurvivalCurve, kSums> WalkDays(const std::vector<NetSurvivalCase>& cases, const AnnualSurvivalGrid& grid,
                                             const SumWeights<kSums>& sums, std::vector<double>* expected)
{
    std::array<NetSurvivalCurve, kSums> curves;
    const std::int32_t lastDay = LastDayAtRisk(cases);
    if (lastDay < 0) return curves;
    const size_t days = static_cast<size_t>(lastDay) + 1;

    CellWalk walk(grid);
    const CaseContributions<kSums> gathered = GatherContributions(cases, walk, days, sums);
    ActiveCells<kSums> cells(walk, grid.CellCount(), expected != nullptr);
    if (expected) expected->assign(days, 1.0);
    for (NetSurvivalCurve& curve : curves) {
        curve.cumulativeHazard.assign(days, 0.0);
        curve.variance.assign(days, 0.0);
    }
    std::array<double, kSums> hazard{}, variance{};
    double cumulativeExpected = 1.0;
    for (size_t day = 0; day < days; ++day) {
        cells.Change(gathered.changes, sums, day);
        std::array<double, kSums> atRisk{}, expectedDeaths{};
        for (size_t n = 0; n < kSums; ++n) atRisk[n] = day == 0 ? gathered.sums[n].atRiskOnDayZero : 0.0;
        cells.Weigh(static_cast<std::int32_t>(day), atRisk, expectedDeaths);
        if (expected) {
            if (day > 0) cumulativeExpected *= cells.MeanDaySurvival();
            (*expected)[day] = cumulativeExpected;
        }
        for (size_t n = 0; n < kSums; ++n) {
            const SumContributions& sum = gathered.sums[n];
            if (atRisk[n] > 0.0) {
                hazard[n] += (sum.deaths[day] - expectedDeaths[n]) / atRisk[n];
                variance[n] += sum.squares[day] / (atRisk[n] * atRisk[n]);
            }
            curves[n].cumulativeHazard[day] = hazard[n];
            curves[n].variance[day] = variance[n];
        }
    }
    return curves;
}

}  // namespace

NetSurvivalCurve ComputeNetSurvivalCurve(const std::vector<NetSurvivalCase>& cases, const AnnualSurvivalGrid& grid)
{
    return std::move(WalkDays<1>(cases, grid, SumWeights<1>(cases, {nullptr}), nullptr)[0]);
}

WeightedNetSurvival ComputeWeightedNetSurvival(const std::vector<NetSurvivalCase>& cases,
                                               const AnnualSurvivalGrid& grid)
{
    WeightedNetSurvival result;
    result.net = std::move(WalkDays<1>(cases, grid, SumWeights<1>(cases, {nullptr}), &result.expected)[0]);
    return result;
}

NetSurvivalWithWeighted ComputeNetSurvivalWithWeighted(const std::vector<NetSurvivalCase>& cases,
                                                       const AnnualSurvivalGrid& grid,
                                                       const std::vector<double>& weights)
{
    NetSurvivalWithWeighted result;
    std::array<NetSurvivalCurve, 2> curves =
        WalkDays<2>(cases, grid, SumWeights<2>(cases, {nullptr, &weights}), &result.weighted.expected);
    result.net = std::move(curves[0]);
    result.weighted.net = std::move(curves[1]);
    return result;
}

}  // namespace kalderon
