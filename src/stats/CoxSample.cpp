#include "stats/CoxSample.h"

#include <algorithm>

#include "common/RadixSort.h"

namespace kalderon {

CoxSampleBuilder::CoxSampleBuilder(std::vector<CoxTerm> terms, std::vector<std::string> columnNames,
                                   std::vector<std::string> strataNames)
{
    sample_.terms = std::move(terms);
    sample_.columnNames = std::move(columnNames);
    sample_.strataNames = std::move(strataNames);
}

void CoxSampleBuilder::Reserve(size_t cases)
{
    keys_.reserve(cases);
    rows_.reserve(cases * sample_.columns());
    events_.reserve(cases);
}

void CoxSampleBuilder::Add(std::int32_t stratum, std::int32_t time, bool event, std::span<const double> row)
{
    keys_.push_back(static_cast<std::uint64_t>(stratum) << 32 | static_cast<std::uint32_t>(time));
    rows_.insert(rows_.end(), row.begin(), row.end());
    events_.push_back(event ? 1 : 0);
}

CoxSample CoxSampleBuilder::Finish()
{
    struct Item {
        std::uint64_t key;
        std::uint32_t index;
    };
    const size_t n = keys_.size();
    std::vector<Item> items(n), buffer(n);
    std::uint64_t largest = 0;
    for (size_t i = 0; i < n; ++i) items[i] = {keys_[i], static_cast<std::uint32_t>(i)}, largest |= keys_[i];
    int bits = 0;
    while (bits < 64 && (largest >> bits) != 0) ++bits;
    const Item* sorted = RadixSortBy(items.data(), buffer.data(), n, bits, [](const Item& item) { return item.key; });
    std::vector<std::uint64_t>().swap(keys_);

    CoxSample& s = sample_;
    const size_t p = s.columns();
    s.time.resize(n);
    s.event.resize(n);
    s.x.resize(n * p);
    const size_t strata = std::max<size_t>(1, s.strataNames.size());
    s.strataEnds.assign(strata, 0);
    for (size_t i = 0; i < n; ++i) {
        const std::uint32_t from = sorted[i].index;
        s.time[i] = static_cast<std::int32_t>(sorted[i].key & 0xffffffffu);
        s.event[i] = events_[from];
        std::copy_n(rows_.data() + size_t{from} * p, p, s.x.data() + i * p);
        ++s.strataEnds[sorted[i].key >> 32];
    }
    for (size_t k = 1; k < strata; ++k) s.strataEnds[k] += s.strataEnds[k - 1];
    std::vector<double>().swap(rows_);
    return std::move(sample_);
}

}  // namespace kalderon
