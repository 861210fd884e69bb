#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/LargeArrays.h"

namespace kalderon {

// Collects the time points of one product-limit table in the order they
// arrive and yields the order in which inserting them one by one into the
// table places them: ascending time; at equal times the deaths first, a later
// death before earlier ones, then the censored ones in order of arrival.
class TimePointOrder {
public:
    void reserve(size_t n) { ReserveLarge(keys_, n); }
    void Add(std::int32_t survivalDays, bool isDeath);
    size_t size() const { return keys_.size(); }

    // Arrival positions (0-based) in table order; the collected points are
    // freed.
    std::vector<std::uint32_t> Finish();

private:
    std::vector<std::uint64_t> keys_;
};

}  // namespace kalderon
