#pragma once

#include <cstdint>
#include <string>

#include "common/CompactText.h"
#include "stats/DateValue.h"

namespace kalderon {

// One data row: follow-up dates, vital status, group, sex, date of birth.
// The numbers stand before the texts, so that no padding lies between them.
struct CCaseRecord {
    std::int32_t caseNumber = -1;
    std::int32_t observationDays = -1;
    DateValue beginDate;
    DateValue endDate;
    DateValue birthDate;
    bool isValid = false;
    CompactText statusText;
    CompactText groupText;
    CompactText sexText;
};

// The values one imported record delivers, in the order they build a case.
struct ImportedRecordValues {
    std::int32_t caseNumber = 0;
    DateValue beginDate = DateValue::Invalid();
    DateValue endDate = DateValue::Invalid();
    std::string statusText;
    std::string groupText;
    std::string sexText;
    DateValue birthDate;  // null when no date-of-birth column is assigned
};

// Builds a case: observation time as the truncated span (-1 when it cannot be
// formed) and validity (number >= 0, valid dates, end not before begin and,
// when a birth column is assigned, a valid birth date not after the begin).
CCaseRecord BuildCase(const ImportedRecordValues& values, bool hasBirthColumn);

}  // namespace kalderon
