#pragma once

#include <cstddef>
#include <vector>

#include "stats/ResultTables.h"

namespace kalderon {

// Counts cases into interval counts exactly as CountIntoIntervals does, in
// constant time per case: while counting only the interval in which a
// case's follow-up ends is touched, and `entered` (every case that ends in
// interval k or later entered interval i <= k) is summed up once at the end.
class IntervalTally {
public:
    IntervalTally(size_t intervals, double unitDays) : exits_(intervals), unitDays_(unitDays) {}

    void Add(double days, bool isEvent)
    {
        const auto k = static_cast<size_t>(static_cast<int>(days / unitDays_));
        if (k >= exits_.size()) {
            beyondLast_ += 1;  // entered every interval, ended in none of them
            return;
        }
        (isEvent ? exits_[k].dead : exits_[k].censored) += 1;
    }

    std::vector<CIntervalCounts> Counts() const
    {
        std::vector<CIntervalCounts> counts(exits_);
        std::int32_t enteredLater = beyondLast_;
        for (size_t i = counts.size(); i-- > 0;) {
            enteredLater += counts[i].dead + counts[i].censored;
            counts[i].entered = enteredLater;
        }
        return counts;
    }

private:
    std::vector<CIntervalCounts> exits_;
    double unitDays_;
    std::int32_t beyondLast_ = 0;
};

}  // namespace kalderon
