#include "stats/NumbersAtRisk.h"

#include <algorithm>

namespace kalderon {

std::vector<std::int64_t> NumbersAtRisk(const std::vector<CTimePointResult>& rows, const std::vector<double>& times,
                                        double unitDays)
{
    // Every row is at risk over a run of consecutive times: counted as +1 at
    // its first time and -1 after its last.
    std::vector<std::int64_t> changes(times.size() + 1, 0);
    for (const CTimePointResult& row : rows) {
        const double entry = static_cast<double>(row.entryDays) / unitDays;
        const double exit = static_cast<double>(row.survivalDays) / unitDays;
        const bool fromStart = row.entryDays == 0 && !row.enteredLate;
        const auto first = fromStart ? times.begin() : std::upper_bound(times.begin(), times.end(), entry);
        const auto last = std::upper_bound(times.begin(), times.end(), exit);
        if (first >= last) continue;
        changes[first - times.begin()] += 1;
        changes[last - times.begin()] -= 1;
    }
    std::vector<std::int64_t> atRisk(times.size());
    std::int64_t running = 0;
    for (size_t i = 0; i < times.size(); ++i) atRisk[i] = running += changes[i];
    return atRisk;
}

}  // namespace kalderon
