#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"

namespace kalderon {

// The cause of a status code: 1 for a code of the event of interest, 2, 3,
// ... for the competing codes in their order, 0 (censored) for any other.
int CauseOfStatus(const CAnalysisData& data, std::string_view status);

// Number of causes: the event of interest and one per competing code.
inline int CauseCount(const CAnalysisData& data) { return 1 + static_cast<int>(data.competingCodes.size()); }

// The codes of a cause, joined by ",".
std::string CauseCodes(const CAnalysisData& data, int cause);

// The valid cases of one group by the day their follow-up ended: the
// distinct days in ascending order and, per day, the cases censored and the
// events of each cause.
class CauseTally {
public:
    CauseTally() = default;
    explicit CauseTally(int causes) : causes_(causes) {}

    void AddDay(std::int32_t day) { days_.push_back(day), counts_.resize(counts_.size() + causes_ + 1); }
    void Count(int cause) { ++counts_[counts_.size() - causes_ - 1 + cause], ++cases_; }

    size_t DayCount() const { return days_.size(); }
    std::int32_t Day(size_t d) const { return days_[d]; }
    // cause 0 counts the censored cases.
    std::int32_t Ending(size_t d, int cause) const { return counts_[d * (causes_ + 1) + cause]; }
    // Events of any cause.
    std::int32_t Events(size_t d) const;
    std::int32_t Ended(size_t d) const { return Events(d) + Ending(d, 0); }
    std::int32_t Cases() const { return cases_; }
    int Causes() const { return causes_; }

private:
    int causes_ = 1;
    std::vector<std::int32_t> days_;
    std::vector<std::int32_t> counts_;
    std::int32_t cases_ = 0;
};

// The tallies of the analysed groups (all of them when stratified, else
// one of all cases).
std::vector<CauseTally> TallyCauses(const CAnalysisData& data, const CaseList& cases, bool stratified);

}  // namespace kalderon
