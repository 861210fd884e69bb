#pragma once

#include <cstdint>
#include <vector>

namespace kalderon {

// Counts cases per key (a start of follow-up, or a start within a group) and
// per complete years t of their follow-up, t = 0 .. years - 1, plus a last
// count for the cases whose follow-up reaches beyond `years`.  Room is made
// for a key on its first use; keys are visited in that order.
class StartHistogram {
public:
    StartHistogram(size_t keys, int years) : years_(years), slotOfKey_(keys, -1) {}

    int years() const { return years_; }

    void Add(std::uint32_t key, int completeYears)
    {
        std::int32_t& slot = slotOfKey_[key];
        if (slot < 0) {
            slot = static_cast<std::int32_t>(used_.size());
            used_.push_back(key);
            counts_.resize(counts_.size() + years_ + 1, 0);
        }
        const int t = completeYears < years_ ? completeYears : years_;
        counts_[static_cast<size_t>(slot) * (years_ + 1) + t] += 1;
    }

    // visit(key, counts) with counts[t] for t = 0 .. years, per key used.
    template <typename Visit>
    void ForEachKey(Visit visit) const
    {
        for (size_t slot = 0; slot < used_.size(); ++slot) visit(used_[slot], &counts_[slot * (years_ + 1)]);
    }

private:
    int years_;
    std::vector<std::int32_t> slotOfKey_;
    std::vector<std::uint32_t> used_;
    std::vector<std::uint32_t> counts_;
};

}  // namespace kalderon
