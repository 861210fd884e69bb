#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stats/CaseRecord.h"

namespace kalderon {

// A start of follow-up: calendar year and completed age at the begin date,
// and the sex as a position in CaseFacts::sexCodes.
struct StartKey {
    std::int16_t year = 0;
    std::int16_t age = 0;  // never below 0
    std::uint32_t sexCode = 0;
};

// A start within a group.
struct GroupStart {
    std::int32_t group = 0;
    std::uint32_t start = 0;
};

struct CaseFact {
    std::int32_t observationDays = -1;  // -1: the case is not valid
    std::uint32_t start = 0;            // position in CaseFacts::starts
    std::uint32_t groupStart = 0;       // position in CaseFacts::groupStarts
    std::uint32_t statusCode = 0;       // position in CaseFacts::statusCodes
};

// The few values per case that the expected-survival computations read, in
// case-list order and packed apart from the records, with the distinct
// starts of the valid cases: cases that start alike share their expected
// survival, so the computations count cases per start and work per start.
struct CaseFacts {
    std::vector<CaseFact> cases;
    std::vector<double> beginDays;         // day numbers of the begin dates
    std::vector<double> endDays;           // and of the end dates
    std::vector<StartKey> starts;          // in order of first appearance
    std::vector<GroupStart> groupStarts;   // in order of first appearance
    std::vector<std::string> sexCodes;     // the texts StartKey::sexCode points to
    std::vector<std::string> statusCodes;  // the texts CaseFact::statusCode points to

    // Per code of `codes`: 1 when it equals `text` byte-wise.
    static std::vector<std::uint8_t> Matches(const std::vector<std::string>& codes, const std::string& text);
};

// `groupIndex` gives each record's group; `selected` (CaseList::selected)
// leaves records out like invalid ones.
CaseFacts BuildCaseFacts(const std::vector<CCaseRecord>& records, const std::vector<std::int32_t>& groupIndex,
                         const std::vector<std::uint8_t>& selected = {});
// The same into `facts`, whose room is used again.
void FillCaseFacts(CaseFacts& facts, const std::vector<CCaseRecord>& records,
                   const std::vector<std::int32_t>& groupIndex, const std::vector<std::uint8_t>& selected);

}  // namespace kalderon
