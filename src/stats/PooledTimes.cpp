#include "stats/PooledTimes.h"

#include <algorithm>

#include "common/LargeArrays.h"
#include "common/RadixSort.h"
#include "stats/GroupCounters.h"

namespace kalderon {

PooledTimes::PooledTimes(const CaseList& cases, const std::string& eventCode, bool stratified, int groups)
    : casesPerGroup_(groups, 0)
{
    std::vector<std::int32_t> times;
    std::vector<std::uint32_t> entries;
    ReserveLarge(times, cases.records.size());
    ReserveLarge(entries, cases.records.size());
    std::int32_t latest = 0;
    for (size_t i = 0; i < cases.records.size(); ++i) {
        const CCaseRecord& c = cases.records[i];
        if (!c.isValid || !cases.IsSelected(i)) continue;
        const int g = AnalysisGroup(cases, i, stratified);
        casesPerGroup_[g] += 1;
        times.push_back(c.observationDays);
        entries.push_back(static_cast<std::uint32_t>(g) << 1 | (c.statusText == eventCode ? 1u : 0u));
        latest = std::max(latest, c.observationDays);
    }
    const size_t n = times.size();
    ReserveLarge(times_, n);
    ReserveLarge(entries_, n);

    if (static_cast<std::uint64_t>(latest) > 4 * static_cast<std::uint64_t>(n) + 4096) {
        std::vector<std::uint64_t> keys(n);
        for (size_t i = 0; i < n; ++i) keys[i] = static_cast<std::uint64_t>(times[i]) << 32 | entries[i];
        RadixSort(keys);
        for (const std::uint64_t key : keys) {
            times_.push_back(static_cast<std::int32_t>(key >> 32));
            entries_.push_back(static_cast<std::uint32_t>(key));
        }
        return;
    }

    // Valid cases have times of 0 days or more.
    std::vector<std::uint32_t> start(static_cast<size_t>(latest) + 2, 0);
    for (const std::int32_t t : times) start[t + 1] += 1;
    for (size_t t = 1; t < start.size(); ++t) start[t] += start[t - 1];
    times_.resize(n);
    entries_.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const std::uint32_t slot = start[times[i]]++;
        times_[slot] = times[i];
        entries_[slot] = entries[i];
    }
}

}  // namespace kalderon
