#include "stats/DelayedEntryAtRisk.h"

#include <algorithm>

namespace kalderon {
namespace {

// Counts of inserted values over ranks 0 .. size-1 (a Fenwick tree).
class RankCounter {
public:
    explicit RankCounter(size_t size) : tree_(size + 1, 0) {}

    void Insert(size_t rank)
    {
        for (size_t i = rank + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] += 1;
    }

    // Inserted values with a rank below `rank`.
    std::int32_t CountBelow(size_t rank) const
    {
        std::int32_t sum = 0;
        for (size_t i = rank; i > 0; i -= i & (~i + 1)) sum += tree_[i];
        return sum;
    }

private:
    std::vector<std::int32_t> tree_;
};

}  // namespace

std::vector<std::int32_t> CountAtRiskWithDelayedEntry(const std::vector<CTimePointResult>& rows)
{
    std::vector<std::int32_t> entries;
    entries.reserve(rows.size());
    for (const CTimePointResult& row : rows) entries.push_back(row.entryDays);
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    auto rankBelow = [&](std::int32_t value) {
        return static_cast<size_t>(std::lower_bound(entries.begin(), entries.end(), value) - entries.begin());
    };

    std::vector<std::int32_t> atRisk(rows.size());
    RankCounter later(entries.size());
    for (size_t j = rows.size(); j-- > 0;) {
        const std::int32_t v = rows[j].survivalDays;
        atRisk[j] = 1 + later.CountBelow(rankBelow(v));
        later.Insert(rankBelow(rows[j].entryDays));
    }
    return atRisk;
}

}  // namespace kalderon
