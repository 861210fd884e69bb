#pragma once

#include <cstdint>
#include <vector>

namespace kalderon {

// Counts cases per key (a start of follow-up, or a start within a group) and
// per complete years t of their follow-up, t = 0 .. years - 1, plus a last
// count for the cases whose follow-up reaches beyond `years`.
class StartHistogram {
public:
    StartHistogram(size_t keys, int years) : years_(years), counts_(keys * (years + 1), 0) {}

    int years() const { return years_; }

    void Add(std::uint32_t key, int completeYears)
    {
        const int t = completeYears < years_ ? completeYears : years_;
        counts_[static_cast<size_t>(key) * (years_ + 1) + t] += 1;
    }

    // visit(key, counts) with counts[t] for t = 0 .. years, per key in order.
    template <typename Visit>
    void ForEachKey(Visit visit) const
    {
        const size_t width = years_ + 1;
        for (size_t key = 0; key * width < counts_.size(); ++key)
            visit(static_cast<std::uint32_t>(key), &counts_[key * width]);
    }

private:
    int years_;
    std::vector<std::uint32_t> counts_;
};

}  // namespace kalderon
