#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/KeyNumbering.h"
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

// What a valid record gives its facts by itself: its observation time, the
// calendar year and completed age at its begin date, and its sex and status
// as numbers of texts in a list (CaseFactNumbering's).
struct RecordFacts {
    std::int32_t observationDays = -1;  // -1: the record is not valid
    std::int16_t year = 0;
    std::int16_t age = 0;
    std::uint32_t sex = 0;
    std::uint32_t status = 0;
};

// The year and age at the begin date of a valid record.
void SetYearAndAge(RecordFacts& facts, const CCaseRecord& c);

// Fills the facts of records given in case-list order, each with its
// RecordFacts, whose sex and status number the texts of `sexTexts` and
// `statusTexts`.
class CaseFactNumbering {
public:
    CaseFactNumbering(CaseFacts& facts, const std::vector<std::string>& sexTexts,
                      const std::vector<std::string>& statusTexts);
    void Add(size_t k, const RecordFacts& record, std::int32_t group);

private:
    std::uint32_t Code(std::uint32_t number, std::vector<std::uint32_t>& codeOf, const std::vector<std::string>& texts,
                       std::vector<std::string>& codes);

    CaseFacts& facts_;
    const std::vector<std::string>& sexTexts_;
    const std::vector<std::string>& statusTexts_;
    std::vector<std::uint32_t> sexCodeOf_, statusCodeOf_;  // per number
    KeyNumbering starts_, groupStarts_;
};

// `groupIndex` gives each record's group; `selected` (CaseList::selected)
// leaves records out like invalid ones.
CaseFacts BuildCaseFacts(const std::vector<CCaseRecord>& records, const std::vector<std::int32_t>& groupIndex,
                         const std::vector<std::uint8_t>& selected = {});
// The same into `facts`, whose room is used again.
void FillCaseFacts(CaseFacts& facts, const std::vector<CCaseRecord>& records,
                   const std::vector<std::int32_t>& groupIndex, const std::vector<std::uint8_t>& selected);

}  // namespace kalderon
