#include "stats/CoxConcordance.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "common/RadixSort.h"

namespace kalderon {
namespace {

// Counts of ranks added, with the number below a rank in O(log n).
class RankCounter {
public:
    explicit RankCounter(size_t ranks) : tree_(ranks + 1, 0), at_(ranks, 0) {}
    void Add(size_t rank)
    {
        ++at_[rank], ++total_;
        for (size_t i = rank + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
    }
    std::int64_t Below(size_t rank) const
    {
        std::int64_t sum = 0;
        for (size_t i = rank; i > 0; i -= i & (~i + 1)) sum += tree_[i];
        return sum;
    }
    std::int64_t At(size_t rank) const { return at_[rank]; }
    std::int64_t Total() const { return total_; }

private:
    std::vector<std::int32_t> tree_;
    std::vector<std::int32_t> at_;
    std::int64_t total_ = 0;
};

// Per case: the pairs it belongs to that are concordant, discordant and
// tied in risk.
struct PairShares {
    std::vector<double> concordant, discordant, tied;
};

void CountStratum(const CoxSample& s, size_t begin, size_t end, const std::vector<double>& lp, PairShares& shares,
                  CoxConcordance& total)
{
    // The ranks of the linear predictors, ties sharing one: a radix sort of
    // their bits turned so that they order as the numbers do.
    const size_t n = end - begin;
    struct Item {
        std::uint64_t key;
        std::uint32_t index;
    };
    std::vector<Item> items(n), buffer(n);
    for (size_t k = 0; k < n; ++k) {
        const auto bits = std::bit_cast<std::uint64_t>(lp[begin + k]);
        items[k] = {bits >> 63 ? ~bits : bits | std::uint64_t{1} << 63, static_cast<std::uint32_t>(k)};
    }
    const Item* order = RadixSortBy(items.data(), buffer.data(), n, 64, [](const Item& item) { return item.key; });
    std::vector<std::uint32_t> rank(n);
    size_t ranks = 0;
    for (size_t k = 0; k < n; ++k) {
        if (k > 0 && lp[begin + order[k].index] != lp[begin + order[k - 1].index]) ++ranks;
        rank[order[k].index] = static_cast<std::uint32_t>(ranks);
    }
    ++ranks;

    // Each case with the event against the cases after it, from the latest
    // time back: the censored of its own time join before, the events after.
    RankCounter later(ranks);
    std::vector<double> risks;
    for (size_t i = end; i > begin;) {
        const std::int32_t time = s.time[i - 1];
        size_t first = i;
        while (first > begin && s.time[first - 1] == time) --first;
        for (size_t k = first; k < i; ++k)
            if (!s.event[k]) later.Add(rank[k - begin]);
        double deathsHere = 0.0;
        for (size_t k = first; k < i; ++k) {
            if (!s.event[k]) continue;
            const size_t r = rank[k - begin];
            const double below = static_cast<double>(later.Below(r)), same = static_cast<double>(later.At(r));
            const double above = static_cast<double>(later.Total()) - below - same;
            shares.concordant[k] += below, shares.discordant[k] += above, shares.tied[k] += same;
            total.concordant += below, total.discordant += above, total.tiedRisk += same;
            deathsHere += 1.0;
        }
        // Pairs of events at this time, by whether their risks tie.
        if (deathsHere > 1.0) {
            risks.clear();
            for (size_t k = first; k < i; ++k)
                if (s.event[k]) risks.push_back(lp[k]);
            std::sort(risks.begin(), risks.end());
            double tiedPairs = 0.0;
            for (size_t a = 0, b = 0; a < risks.size(); a = b) {
                while (b < risks.size() && risks[b] == risks[a]) ++b;
                const double m = static_cast<double>(b - a);
                tiedPairs += m * (m - 1) / 2;
            }
            total.tiedBoth += tiedPairs;
            total.tiedTime += deathsHere * (deathsHere - 1) / 2 - tiedPairs;
        }
        for (size_t k = first; k < i; ++k)
            if (s.event[k]) later.Add(rank[k - begin]);
        i = first;
    }

    // Each case against the events before it, from the earliest time on: a
    // case with the event meets those of earlier times, a censored case also
    // those of its own time.
    RankCounter earlier(ranks);
    for (size_t i = begin; i < end;) {
        const std::int32_t time = s.time[i];
        size_t last = i;
        while (last < end && s.time[last] == time) ++last;
        auto count = [&](size_t k) {
            const size_t r = rank[k - begin];
            const double below = static_cast<double>(earlier.Below(r)), same = static_cast<double>(earlier.At(r));
            const double above = static_cast<double>(earlier.Total()) - below - same;
            shares.concordant[k] += above, shares.discordant[k] += below, shares.tied[k] += same;
        };
        for (size_t k = i; k < last; ++k)
            if (s.event[k]) count(k);
        for (size_t k = i; k < last; ++k)
            if (s.event[k]) earlier.Add(rank[k - begin]);
        for (size_t k = i; k < last; ++k)
            if (!s.event[k]) count(k);
        i = last;
    }
}

}  // namespace

CoxConcordance ConcordanceOf(const CoxSample& s, const std::vector<double>& lp)
{
    CoxConcordance c;
    PairShares shares{std::vector<double>(s.size()), std::vector<double>(s.size()), std::vector<double>(s.size())};
    for (size_t stratum = 0; stratum < s.strataEnds.size(); ++stratum)
        CountStratum(s, s.StratumBegin(stratum), s.strataEnds[stratum], lp, shares, c);

    const double pairs = c.concordant + c.discordant + c.tiedRisk;
    if (pairs == 0.0) {
        c.concordance = c.standardError = std::nan("");
        return c;
    }
    const double somers = (c.concordant - c.discordant) / pairs;
    c.concordance = (somers + 1.0) / 2.0;
    double variance = 0.0;
    for (size_t k = 0; k < s.size(); ++k) {
        const double share = shares.concordant[k] + shares.discordant[k] + shares.tied[k];
        const double dfbeta = (shares.concordant[k] - shares.discordant[k]) / pairs - somers / pairs * share;
        variance += dfbeta * dfbeta;
    }
    c.standardError = std::sqrt(variance / 4.0);
    return c;
}

}  // namespace kalderon
