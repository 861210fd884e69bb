#include "stats/WeightedObservedSurvival.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "stats/NetSurvivalTables.h"

namespace kalderon {
namespace {

constexpr double kNoStandardError = std::numeric_limits<double>::quiet_NaN();

int IntervalOf(std::int32_t day, double unitDays)
{
    return static_cast<int>(day / unitDays);
}

bool Counted(const NetSurvivalCase& c)
{
    return c.firstDay <= c.lastDay;
}

// Per interval: the survival to its end, whether it exists, and the sum of
// weight^2 x (derivative of log survival)^2 over the cases.
struct Walked {
    std::vector<double> survival;
    std::vector<bool> reached;
    std::vector<double> squares;
};

std::vector<AgeGroupEstimate> Estimates(const Walked& w, int zeroFrom)
{
    std::vector<AgeGroupEstimate> result(w.survival.size());
    for (size_t i = 0; i < result.size(); ++i) {
        if (!w.reached[i]) continue;
        const bool zero = zeroFrom >= 0 && static_cast<int>(i) >= zeroFrom;
        result[i] = {true, w.survival[i], zero ? kNoStandardError : w.survival[i] * std::sqrt(w.squares[i])};
    }
    return result;
}

}  // namespace

namespace {

// The product-limit walk over the days: per day the survival at its end, the
// sum of weight^2 x (derivative of log survival)^2 over the cases, and the
// days with someone at risk up to it (daysAtRisk[d + 1]).
struct DailyProductLimit {
    std::vector<double> survival;
    std::vector<double> squares;
    std::vector<std::int32_t> daysAtRisk;
    std::int32_t zeroDay = -1;  // the first day the survival is 0
};

DailyProductLimit WalkProductLimit(const std::vector<NetSurvivalCase>& cases)
{
    std::int32_t lastDay = -1;
    for (const NetSurvivalCase& c : cases)
        if (Counted(c)) lastDay = std::max(lastDay, c.lastDay);
    const size_t days = static_cast<size_t>(lastDay + 1);
    std::vector<double> entering(days + 1, 0.0), leaving(days + 1, 0.0), deaths(days, 0.0);
    std::vector<std::int64_t> presence(days + 1, 0), dying(days, 0);  // cases entering less cases leaving
    for (const NetSurvivalCase& c : cases) {
        if (!Counted(c)) continue;
        entering[c.firstDay] += c.weight;
        leaving[c.lastDay + 1] += c.weight;
        ++presence[c.firstDay];
        --presence[c.lastDay + 1];
        if (c.died) deaths[c.lastDay] += c.weight, ++dying[c.lastDay];
    }
    // Per day: the survival at its end, 1 / (at risk - deaths), and the sums
    // of (deaths / at risk) / (at risk - deaths) up to it (prefix[d + 1]).
    DailyProductLimit walk{std::vector<double>(days), std::vector<double>(days, 0.0),
                           std::vector<std::int32_t>(days + 1, 0)};
    std::vector<double> inverseSurvivors(days, 0.0), prefix(days + 1, 0.0);
    double atRisk = 0.0, s = 1.0;
    std::int64_t present = 0;
    for (size_t d = 0; d < days; ++d) {
        atRisk += entering[d] - leaving[d];
        present += presence[d];
        double step = 0.0;
        if (atRisk > 0.0 && deaths[d] > 0.0) {
            if (dying[d] == present) {  // the sums of the weights may differ by a rounding
                s = 0.0;
                if (walk.zeroDay < 0) walk.zeroDay = static_cast<std::int32_t>(d);
            } else {
                s *= 1.0 - deaths[d] / atRisk;
                inverseSurvivors[d] = 1.0 / (atRisk - deaths[d]);
                step = deaths[d] / atRisk * inverseSurvivors[d];
            }
        }
        walk.survival[d] = s;
        prefix[d + 1] = prefix[d] + step;
        walk.daysAtRisk[d + 1] = walk.daysAtRisk[d] + (present > 0 ? 1 : 0);
    }

    // A case at risk on day t has the derivative prefix[t + 1] - prefix[firstDay]
    // of log survival; the sums of w^2, w^2 prefix[firstDay] and its square
    // over them give the cases at risk at once.  A case that has left keeps
    // its derivative, less 1 / (at risk - deaths) on the day it died.  The
    // sums change by the cases entering and leaving on a day, summed per day.
    struct DayChange {
        double s0 = 0.0, s1 = 0.0, s2 = 0.0;
    };
    std::vector<DayChange> entries(days), exits(days);
    std::vector<double> leftOnDay(days, 0.0);
    for (const NetSurvivalCase& c : cases) {
        if (!Counted(c)) continue;
        const double square = c.weight * c.weight, p = prefix[c.firstDay];
        const DayChange change{square, square * p, square * p * p};
        for (DayChange* sums : {&entries[c.firstDay], &exits[c.lastDay]})
            sums->s0 += change.s0, sums->s1 += change.s1, sums->s2 += change.s2;
        double influence = prefix[c.lastDay + 1] - p;
        if (c.died) influence -= inverseSurvivors[c.lastDay];
        leftOnDay[c.lastDay] += square * influence * influence;
    }
    double left = 0.0, s0 = 0.0, s1 = 0.0, s2 = 0.0;
    for (size_t day = 0; day < days; ++day) {
        s0 += entries[day].s0, s1 += entries[day].s1, s2 += entries[day].s2;
        s0 -= exits[day].s0, s1 -= exits[day].s1, s2 -= exits[day].s2;
        left += leftOnDay[day];
        const double p = prefix[day + 1];
        walk.squares[day] = left + std::max(0.0, p * p * s0 - 2.0 * p * s1 + s2);
    }
    return walk;
}

// The walk read at the ends of `intervals` intervals of unitDays days.
std::vector<AgeGroupEstimate> AtIntervalEnds(const DailyProductLimit& walk, int intervals, double unitDays)
{
    const auto lastDay = static_cast<std::int32_t>(walk.survival.size()) - 1;
    Walked w{std::vector<double>(intervals, 1.0), std::vector<bool>(intervals, false),
             std::vector<double>(intervals, 0.0)};
    int zeroFrom = -1;
    for (int i = 0; i < intervals; ++i) {
        const std::int32_t begin = i == 0 ? 0 : LastDayOfInterval(i - 1, unitDays) + 1;
        const std::int32_t end = std::min(LastDayOfInterval(i, unitDays), lastDay);
        if (lastDay < begin) break;
        w.reached[i] = walk.daysAtRisk[end + 1] > walk.daysAtRisk[begin];
        w.survival[i] = walk.survival[end];
        w.squares[i] = walk.squares[end];
        if (zeroFrom < 0 && walk.zeroDay >= 0 && end >= walk.zeroDay) zeroFrom = i;
    }
    return Estimates(w, zeroFrom);
}

}  // namespace

WeightedObservedEstimates WeightedProductLimitWithDays(const std::vector<NetSurvivalCase>& cases, int intervals,
                                                       double unitDays)
{
    const DailyProductLimit walk = WalkProductLimit(cases);
    return {AtIntervalEnds(walk, intervals, unitDays),
            AtIntervalEnds(walk, static_cast<int>(walk.survival.size()), 1.0)};
}

std::vector<AgeGroupEstimate> WeightedProductLimit(const std::vector<NetSurvivalCase>& cases, int intervals,
                                                   double unitDays)
{
    return AtIntervalEnds(WalkProductLimit(cases), intervals, unitDays);
}

std::vector<AgeGroupEstimate> WeightedLifeTable(const std::vector<NetSurvivalCase>& cases, int intervals,
                                                double unitDays)
{
    // A case's intervals: the one it ends in and, when it enters after day
    // 0, the one its begin cut falls in (else 0).
    struct Span {
        int begin, end;
        bool cut;
    };
    const auto spanOf = [&](const NetSurvivalCase& c) {
        return Span{c.firstDay > 0 ? IntervalOf(c.firstDay - 1, unitDays) : 0, IntervalOf(c.lastDay, unitDays),
                    c.firstDay > 0};
    };
    // A case's part in interval j: entered, censored, dead (the end cut less
    // the begin cut).
    struct Part {
        double entered = 0.0, censored = 0.0, dead = 0.0;
    };
    const auto partOf = [&](const NetSurvivalCase& c, const Span& span, int j) {
        Part p;
        if (j <= span.end) p.entered += 1.0;
        if (j == span.end) (c.died ? p.dead : p.censored) += 1.0;
        if (span.cut) {
            if (j <= span.begin) p.entered -= 1.0;
            if (j == span.begin) p.censored -= 1.0;
        }
        return p;
    };

    std::vector<Part> sums(intervals);
    for (const NetSurvivalCase& c : cases) {
        if (!Counted(c)) continue;
        const Span span = spanOf(c);
        for (int j = span.begin; j < intervals && j <= span.end; ++j) {
            if (j != span.begin && j != span.end) {  // a whole interval: entered, nothing else
                sums[j].entered += c.weight;
                continue;
            }
            const Part p = partOf(c, span, j);
            sums[j].entered += c.weight * p.entered;
            sums[j].censored += c.weight * p.censored;
            sums[j].dead += c.weight * p.dead;
        }
    }

    Walked w{std::vector<double>(intervals, 0.0), std::vector<bool>(intervals, false),
             std::vector<double>(intervals, 0.0)};
    std::vector<double> exposed(intervals), q(intervals, 0.0), inverseSurvivors(intervals, 0.0);
    int zeroFrom = -1;
    double s = 1.0;
    for (int j = 0; j < intervals; ++j) {
        exposed[j] = sums[j].entered - sums[j].censored * 0.5;
        if (sums[j].entered <= 0.0 || exposed[j] <= 0.0) break;
        w.reached[j] = true;
        if (sums[j].dead >= exposed[j]) {
            s = 0.0;
            if (zeroFrom < 0) zeroFrom = j;
        } else {
            q[j] = sums[j].dead / exposed[j];
            inverseSurvivors[j] = 1.0 / (exposed[j] - sums[j].dead);
            s *= 1.0 - q[j];
        }
        w.survival[j] = s;
    }
    // d log(1 - D / n') / d weight of a case = -(dead - exposed x q) / (n' - D);
    // after the interval it leaves in, a case's derivative stays as it was.
    std::vector<double> wholeStep(intervals);  // what a whole interval adds to the derivative
    for (int j = 0; j < intervals; ++j) wholeStep[j] = q[j] * inverseSurvivors[j];
    std::vector<double> afterLeaving(intervals + 1, 0.0);
    for (const NetSurvivalCase& c : cases) {
        if (!Counted(c)) continue;
        const double square = c.weight * c.weight;
        const Span span = spanOf(c);
        double influence = 0.0;
        int j = span.begin;
        for (; j < intervals && j <= span.end && w.reached[j]; ++j) {
            if (j != span.begin && j != span.end) {
                influence += wholeStep[j];
            } else {
                const Part p = partOf(c, span, j);
                influence -= (p.dead - (p.entered - p.censored * 0.5) * q[j]) * inverseSurvivors[j];
            }
            w.squares[j] += square * influence * influence;
        }
        afterLeaving[std::min(j, intervals)] += square * influence * influence;
    }
    double leftBefore = 0.0;
    for (int j = 0; j < intervals; ++j) {
        leftBefore += afterLeaving[j];
        w.squares[j] += leftBefore;
    }
    return Estimates(w, zeroFrom);
}

}  // namespace kalderon
