#include "stats/NetSurvival.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <memory>
#include <type_traits>

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
// exp(cumulative - hazard s), times its weight, added to (or, for removed,
// taken from) the sums of the cell's cases.  One record per change, so that
// writing the changes in day order touches one place per change.
struct CellChange {
    double factor;
    std::uint32_t cell;  // with the case's weight class above kClassShift, and kRemoved
    std::uint32_t caseIndex;
};

struct CellChanges {
    std::vector<std::uint32_t> first;  // per day: where its changes begin
    // Every record is written once, so that none is set before.
    std::unique_ptr<CellChange[]> changes;
};

// A grid of 2^28 cells would take 2 GiB, so that a cell index leaves room
// for the class and the removal.
constexpr std::uint32_t kRemoved = 0x80000000u;
constexpr int kClassShift = 28;
constexpr std::uint32_t kCellMask = (1u << kClassShift) - 1;
static_assert(kMaxWeightClasses <= 8, "three bits hold the class of a change");

// The weights of a walk: the cases' own (none when all are 1) for the sums
// of the cases with their own weights, and the classes for those of the
// cases weighted by classes.
struct WalkWeights {
    const double* ownWeights = nullptr;
    const WeightClasses* classes = nullptr;
};

// The cases' own weights, none when all are 1.
std::vector<double> OwnWeights(const std::vector<NetSurvivalCase>& cases)
{
    const auto one = [](const NetSurvivalCase& c) { return c.weight == 1.0; };
    if (std::all_of(cases.begin(), cases.end(), one)) return {};
    std::vector<double> weights;
    weights.reserve(cases.size());
    for (const NetSurvivalCase& c : cases) weights.push_back(c.weight);
    return weights;
}

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

    void Add(const NetSurvivalCase& c, double weight, double inverseExpected)
    {
        if (c.firstDay == 0) atRiskOnDayZero += weight;
        if (!c.died) return;
        const double weighted = weight * inverseExpected;
        deaths[c.lastDay] += weighted;
        squares[c.lastDay] += weighted * weighted;
    }
};

struct CaseContributions {
    SumContributions own, weighted;
    CellChanges changes;  // in day order
};

// The changes are counted first, then written in day order.  A change's
// factor is the inverse of the case's expected survival to the start of the
// run, less the run's days before it.
template <bool kOwn>
CaseContributions GatherContributions(const std::vector<NetSurvivalCase>& cases, CellWalk& walk, size_t days,
                                      const WalkWeights& weights)
{
    CaseContributions gathered;
    for (SumContributions* sum : {&gathered.own, &gathered.weighted}) {
        sum->deaths.assign(days, 0.0);
        sum->squares.assign(days, 0.0);
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
    const WeightClasses* classes = weights.classes;
    for (size_t i = 0; i < cases.size(); ++i) {
        const NetSurvivalCase& c = cases[i];
        if (c.firstDay > c.lastDay) continue;
        const std::uint32_t weightClass = classes ? classes->classOf[i] : 0u;
        const double cumulative =
            walk(c, [&](std::int32_t from, std::int32_t to, size_t cell, double hazard, double before) {
                const double factor = std::exp(before - hazard * (from - 1));
                OnRisk(c, from, to, [&](std::int32_t day, bool removed) {
                    CellChange& change = changes.changes[next[day]++];
                    change.factor = factor;
                    change.cell = static_cast<std::uint32_t>(cell) | weightClass << kClassShift |
                                  (removed ? kRemoved : 0u);
                    change.caseIndex = static_cast<std::uint32_t>(i);
                });
            });
        const double inverseExpected = std::exp(cumulative);
        if (kOwn) gathered.own.Add(c, weights.ownWeights ? weights.ownWeights[i] : 1.0, inverseExpected);
        if (classes) gathered.weighted.Add(c, classes->weights[weightClass], inverseExpected);
    }
    return gathered;
}

// Two doubles added and multiplied as one vector: the sums of the cases
// with their own weights and with their classes' weights, side by side.
using DoublePair = double __attribute__((vector_size(16)));

double Abs(double x) { return std::fabs(x); }
DoublePair Abs(DoublePair x) { return x < 0.0 ? -x : x; }
bool IsFinite(double x) { return std::isfinite(x); }
auto IsFinite(DoublePair x) { return x - x == 0.0; }

// A sum that takes terms away again without losing the small ones it keeps:
// the rounding error of every addition is carried along (Neumaier's
// compensated summation), lane by lane for a pair.  A cell's factors span
// many orders of magnitude (a case's weight grows with its expected hazard,
// and cases meet in a cell on very different days of follow-up), so that a
// plain sum keeps, once a large factor has left, rounding residue that
// exp(h day) then magnifies.
template <typename T>
class CompensatedSum {
public:
    void Add(T term)
    {
        const T total = sum_ + term;
        const T error = Abs(sum_) >= Abs(term) ? (sum_ - total) + term : (term - total) + sum_;
        // An infinite weight stays infinite (and the estimate undefined).
        if constexpr (std::is_same_v<T, double>) {
            if (IsFinite(total)) error_ += error;
        } else {
            error_ = IsFinite(total) ? error_ + error : error_;
        }
        sum_ = total;
    }
    void Reset() { sum_ = error_ = T{}; }
    T Value() const { return sum_ + error_; }

private:
    T sum_{};
    T error_{};
};

// The weighted number at risk on a day and the expected deaths among them.
struct DaySums {
    double atRisk = 0.0;
    double expectedDeaths = 0.0;
};

// The cells that hold someone at risk on the current day, each with the sum
// of its cases' factors times their own weights (kOwn) and times their
// classes' weights (kClasses); with classes also, per class, the cases at
// risk and the sum of their probabilities of dying over the day.
template <bool kOwn, bool kClasses>
class ActiveCells {
public:
    ActiveCells(const CellWalk& walk, size_t cellCount, const WalkWeights& weights, size_t caseCount)
        : ownWeights_(weights.ownWeights), sum_(cellCount),
          members_(cellCount, 0), position_(cellCount, 0), hazard_(cellCount), growth_(cellCount),
          scale_(cellCount, 0.0), scaledOn_(cellCount, -2), dayDying_(kClasses ? cellCount : 0),
          fractionBits_(std::min(52, 62 - static_cast<int>(std::bit_width(caseCount))))
    {
        if constexpr (kClasses)
            std::copy(weights.classes->weights.begin(), weights.classes->weights.end(), classWeights_.begin());
        for (size_t cell = 0; cell < cellCount; ++cell) {
            hazard_[cell] = walk.Hazard(cell);
            growth_[cell] = std::exp(hazard_[cell]);
            if constexpr (kClasses) dayDying_[cell] = FixedPoint(-std::expm1(-hazard_[cell]));
        }
    }

    // Applies the changes of `day`.
    void Change(const CellChanges& changes, size_t day)
    {
        for (std::uint32_t k = changes.first[day]; k < changes.first[day + 1]; ++k) {
            const CellChange& change = changes.changes[k];
            const std::uint32_t cell = change.cell & kCellMask;
            const bool removed = change.cell & kRemoved;
            const std::uint32_t weightClass = (change.cell & ~kRemoved) >> kClassShift;
            const double ownFactor =
                kOwn && ownWeights_ ? ownWeights_[change.caseIndex] * change.factor : change.factor;
            const double classFactor = kClasses ? classWeights_[weightClass] * change.factor : 0.0;
            const Lanes term = Pack(ownFactor, classFactor);
            sum_[cell].Add(removed ? -term : term);
            if constexpr (kClasses) {
                classMembers_[weightClass] += removed ? -1 : 1;
                classDying_[weightClass] += removed ? -dayDying_[cell] : dayDying_[cell];
            }
            if (removed)
                Leave(cell);
            else
                Enter(cell);
        }
    }

    // Adds to each sum the weighted number at risk on `day` (the days come in
    // order) and the expected deaths; with classes, gives the mean of the
    // expected survival over the day of the cases at risk weighted by their
    // classes (1 when nobody is).
    double Weigh(std::int32_t day, DaySums& own, DaySums& weighted)
    {
        // Plain locals, so that the sums stay in registers.
        Lanes atRisk = Pack(own.atRisk, weighted.atRisk);
        Lanes deaths = Pack(own.expectedDeaths, weighted.expectedDeaths);
        for (const std::uint32_t cell : active_) {
            const Lanes cellAtRisk = sum_[cell].Value() * Scale(cell, day);
            atRisk += cellAtRisk;
            deaths += cellAtRisk * hazard_[cell];
        }
        own = {Own(atRisk), Own(deaths)};
        weighted = {Weighted(atRisk), Weighted(deaths)};
        return MeanDaySurvival();
    }

private:
    // The weighted sums a cell keeps: the own and the classes' side by side.
    using Lanes = std::conditional_t<kOwn && kClasses, DoublePair, double>;

    static Lanes Pack(double ownValue, double weightedValue)
    {
        if constexpr (kOwn && kClasses)
            return Lanes{ownValue, weightedValue};
        else
            return kOwn ? ownValue : weightedValue;
    }
    static double Own(Lanes lanes)
    {
        if constexpr (kOwn && kClasses)
            return lanes[0];
        else
            return kOwn ? lanes : 0.0;
    }
    static double Weighted(Lanes lanes)
    {
        if constexpr (kOwn && kClasses)
            return lanes[1];
        else
            return kClasses ? lanes : 0.0;
    }

    double MeanDaySurvival() const
    {
        if (!kClasses || active_.empty()) return 1.0;
        double weights = 0.0, dying = 0.0;
        for (size_t k = 0; k < kMaxWeightClasses; ++k) {
            weights += classWeights_[k] * static_cast<double>(classMembers_[k]);
            dying += classWeights_[k] * static_cast<double>(classDying_[k]);
        }
        return weights > 0.0 ? 1.0 - dying / Unit() / weights : 1.0;
    }

    // The fixed point's 1: as fine as the sum of every case's share still fits.
    double Unit() const { return std::ldexp(1.0, fractionBits_); }

    // A probability in fixed point.  The population tables' probabilities
    // lie in 0 .. 1, and so do those over a day; anything else (which no
    // table passes) would overflow the sums and counts as 0.
    std::int64_t FixedPoint(double probability) const
    {
        return probability >= 0.0 && probability <= 1.0 ? std::llround(probability * Unit()) : 0;
    }

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
        sum_[cell].Reset();
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

    const double* ownWeights_;
    std::array<double, kMaxWeightClasses> classWeights_{};
    std::vector<CompensatedSum<Lanes>> sum_;  // per cell
    // Per class: its cases at risk and the sum of their probabilities of
    // dying over the day (expected, 1 - exp(-hazard)) in fixed point, whose
    // integer sums take away exactly what they added.
    std::array<std::int64_t, kMaxWeightClasses> classMembers_{};
    std::array<std::int64_t, kMaxWeightClasses> classDying_{};
    std::vector<std::uint32_t> members_;
    std::vector<std::uint32_t> position_;
    std::vector<std::uint32_t> active_;
    std::vector<double> hazard_, growth_, scale_;
    std::vector<std::int32_t> scaledOn_;
    std::vector<std::int64_t> dayDying_;
    int fractionBits_;
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

// The cumulative hazard and its variance of one weighted sum, day by day.
class HazardSum {
public:
    HazardSum(NetSurvivalCurve& curve, size_t days) : curve_(curve)
    {
        curve.cumulativeHazard.assign(days, 0.0);
        curve.variance.assign(days, 0.0);
    }

    void Add(size_t day, const SumContributions& sum, const DaySums& risk)
    {
        if (risk.atRisk > 0.0) {
            hazard_ += (sum.deaths[day] - risk.expectedDeaths) / risk.atRisk;
            variance_ += sum.squares[day] / (risk.atRisk * risk.atRisk);
        }
        curve_.cumulativeHazard[day] = hazard_;
        curve_.variance[day] = variance_;
    }

private:
    NetSurvivalCurve& curve_;
    double hazard_ = 0.0;
    double variance_ = 0.0;
};

// The net survival curve of the cases with their own weights (kOwn) and
// that of the cases weighted by classes with their expected survival
// (kClasses), in one walk over the days.
template <bool kOwn, bool kClasses>
NetSurvivalWithWeighted WalkDays(const std::vector<NetSurvivalCase>& cases, const AnnualSurvivalGrid& grid,
                                 const WalkWeights& weights)
{
    NetSurvivalWithWeighted curves;
    const std::int32_t lastDay = LastDayAtRisk(cases);
    if (lastDay < 0) return curves;
    const size_t days = static_cast<size_t>(lastDay) + 1;

    CellWalk walk(grid);
    const CaseContributions gathered = GatherContributions<kOwn>(cases, walk, days, weights);
    ActiveCells<kOwn, kClasses> cells(walk, grid.CellCount(), weights, cases.size());
    NetSurvivalCurve unused;
    HazardSum own(kOwn ? curves.net : unused, kOwn ? days : 0);
    HazardSum weighted(kClasses ? curves.weighted.net : unused, kClasses ? days : 0);
    std::vector<double>& expected = curves.weighted.expected;
    if (kClasses) expected.assign(days, 1.0);
    double cumulativeExpected = 1.0;
    for (size_t day = 0; day < days; ++day) {
        cells.Change(gathered.changes, day);
        DaySums ownRisk{day == 0 ? gathered.own.atRiskOnDayZero : 0.0, 0.0};
        DaySums weightedRisk{day == 0 ? gathered.weighted.atRiskOnDayZero : 0.0, 0.0};
        const double meanDaySurvival = cells.Weigh(static_cast<std::int32_t>(day), ownRisk, weightedRisk);
        if (kOwn) own.Add(day, gathered.own, ownRisk);
        if (!kClasses) continue;
        if (day > 0) cumulativeExpected *= meanDaySurvival;
        expected[day] = cumulativeExpected;
        weighted.Add(day, gathered.weighted, weightedRisk);
    }
    return curves;
}

}  // namespace

NetSurvivalCurve ComputeNetSurvivalCurve(const std::vector<NetSurvivalCase>& cases, const AnnualSurvivalGrid& grid)
{
    const std::vector<double> own = OwnWeights(cases);
    return std::move(WalkDays<true, false>(cases, grid, {own.empty() ? nullptr : own.data(), nullptr}).net);
}

WeightedNetSurvival ComputeWeightedNetSurvival(const std::vector<NetSurvivalCase>& cases,
                                               const AnnualSurvivalGrid& grid, const WeightClasses& weights)
{
    return std::move(WalkDays<false, true>(cases, grid, {nullptr, &weights}).weighted);
}

NetSurvivalWithWeighted ComputeNetSurvivalWithWeighted(const std::vector<NetSurvivalCase>& cases,
                                                       const AnnualSurvivalGrid& grid, const WeightClasses& weights)
{
    return WalkDays<true, true>(cases, grid, {nullptr, &weights});
}

}  // namespace kalderon
