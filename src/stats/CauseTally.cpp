#include "stats/CauseTally.h"

#include <numeric>

#include "common/RadixSort.h"
#include "stats/GroupCounters.h"

namespace kalderon {
namespace {

constexpr int kCauseBits = 8;
constexpr int kDayBits = 32;

}  // namespace

int CauseOfStatus(const CAnalysisData& data, std::string_view status)
{
    for (const std::string& code : data.incidenceCodes)
        if (status == code) return 1;
    for (size_t k = 0; k < data.competingCodes.size(); ++k)
        if (status == data.competingCodes[k]) return 2 + static_cast<int>(k);
    return 0;
}

std::string CauseCodes(const CAnalysisData& data, int cause)
{
    if (cause > 1) return data.competingCodes[cause - 2];
    std::string codes;
    for (const std::string& code : data.incidenceCodes) codes += (codes.empty() ? "" : ",") + code;
    return codes;
}

std::int32_t CauseTally::Events(size_t d) const
{
    const auto* row = counts_.data() + d * (causes_ + 1);
    return std::accumulate(row + 1, row + causes_ + 1, std::int32_t{0});
}

std::vector<CauseTally> TallyCauses(const CAnalysisData& data, const CaseList& cases, bool stratified)
{
    const int groupCount = AnalysedGroupCount(data, stratified);
    const int causes = CauseCount(data);
    std::vector<std::uint64_t> keys;
    keys.reserve(cases.records.size());
    for (size_t i = 0; i < cases.records.size(); ++i) {
        const CCaseRecord& c = cases.records[i];
        if (!c.isValid || !cases.IsSelected(i)) continue;
        const int cause = CauseOfStatus(data, c.statusText);
        const auto group = static_cast<std::uint64_t>(AnalysisGroup(cases, i, stratified));
        keys.push_back(group << (kDayBits + kCauseBits) |
                       static_cast<std::uint64_t>(static_cast<std::uint32_t>(c.observationDays)) << kCauseBits |
                       static_cast<std::uint64_t>(cause));
    }
    RadixSort(keys);

    std::vector<CauseTally> tallies(groupCount, CauseTally(causes));
    std::uint64_t lastGroupDay = ~std::uint64_t{0};
    for (const std::uint64_t key : keys) {
        CauseTally& tally = tallies[key >> (kDayBits + kCauseBits)];
        if (key >> kCauseBits != lastGroupDay) {
            lastGroupDay = key >> kCauseBits;
            tally.AddDay(static_cast<std::int32_t>(lastGroupDay & 0xffffffffu));
        }
        tally.Count(static_cast<int>(key & ((1u << kCauseBits) - 1)));
    }
    return tallies;
}

}  // namespace kalderon
