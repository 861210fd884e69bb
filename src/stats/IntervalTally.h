#pragma once

#include <cstdint>
#include <vector>

#include "stats/ResultTables.h"

namespace kalderon {

// Counts cases into interval counts with the result of counting each one
// through CountIntoIntervals, but in constant time per case: a case is noted
// in the interval where its follow-up ends, and the entered counts are
// summed from the back when the counts are written.
class IntervalTally {
public:
    explicit IntervalTally(size_t intervals) : endings_(intervals + 1, 0), dead_(intervals, 0), censored_(intervals, 0) {}

    // A case with follow-up time `days` (>= 0).
    void Add(double days, bool isEvent, double unitDays)
    {
        const auto k = static_cast<size_t>(static_cast<int>(days / unitDays));
        const size_t intervals = dead_.size();
        endings_[k < intervals ? k : intervals] += 1;
        if (k < intervals) (isEvent ? dead_[k] : censored_[k]) += 1;
    }

    std::vector<CIntervalCounts> Counts() const
    {
        std::vector<CIntervalCounts> counts(dead_.size());
        std::int32_t entered = endings_.back();
        for (size_t i = counts.size(); i-- > 0;) {
            entered += endings_[i];
            counts[i] = {entered, censored_[i], dead_[i]};
        }
        return counts;
    }

private:
    std::vector<std::int32_t> endings_;  // the last slot: beyond the last interval
    std::vector<std::int32_t> dead_;
    std::vector<std::int32_t> censored_;
};

}  // namespace kalderon
