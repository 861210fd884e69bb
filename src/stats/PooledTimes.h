#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stats/CaseList.h"

namespace kalderon {

// The valid cases of the groups of an analysis pooled and ordered by
// observation time: for every case its time, its group and whether it died.
// Sorting is a count per day (or a sort when the times spread over far more
// days than there are cases), so building it is O(n + days) or O(n log n).
class PooledTimes {
public:
    // Every valid case counts into its group when `stratified`, else into
    // group 0; `groups` is the number of groups.
    PooledTimes(const CaseList& cases, const std::string& eventCode, bool stratified, int groups);

    int groupCount() const { return static_cast<int>(casesPerGroup_.size()); }
    std::int32_t casesInGroup(int group) const { return casesPerGroup_[group]; }
    size_t size() const { return times_.size(); }
    std::int32_t time(size_t i) const { return times_[i]; }
    int group(size_t i) const { return static_cast<int>(entries_[i] >> 1); }
    bool died(size_t i) const { return (entries_[i] & 1u) != 0; }

private:
    std::vector<std::int32_t> casesPerGroup_;
    std::vector<std::int32_t> times_;     // ascending
    std::vector<std::uint32_t> entries_;  // group << 1 | died, in the order of times_
};

}  // namespace kalderon
