#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stats/CaseRecord.h"

namespace kalderon {

// The reasons a case is not valid, as bits; 0 for a valid case.
enum CaseFault : std::uint32_t {
    kFaultCaseNumber = 1u << 0,   // negative case number
    kFaultBeginDate = 1u << 1,    // begin date not valid
    kFaultEndDate = 1u << 2,      // end date not valid
    kFaultEndBeforeBegin = 1u << 3,
    kFaultBirthDate = 1u << 4,    // birth column assigned, date not valid
    kFaultBirthAfterBegin = 1u << 5,
};

// Every reason why the case is not valid: a valid number, valid begin and
// end dates with the end not before the begin and, when a birth column is
// assigned, a valid birth date not after the begin.
std::uint32_t CaseFaults(const CCaseRecord& c, bool hasBirthColumn);

// "invalid begin date, end before begin", ...; empty for no fault.
std::string CaseFaultText(std::uint32_t faults);

// How many cases were read and how many of them are valid.
struct CaseCounts {
    std::int64_t read = 0;
    std::int64_t valid = 0;
    std::int64_t skipped() const { return read - valid; }
};
CaseCounts CountCases(const std::vector<CCaseRecord>& records);
// "1200 cases read: 1180 valid, 20 skipped"
std::string CaseCountsText(const CaseCounts& counts);

}  // namespace kalderon
