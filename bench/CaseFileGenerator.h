#pragma once

#include <cstdint>
#include <string>

namespace kalderon::bench {

enum class CaseFileLayout {
    // As the example data sets: begin;end;status;group;sex;birth, dates
    // DD.MM.YYYY.
    kExample,
    // As a registry's export: a line of field names
    // id,diagnosis_date,last_contact,vital_status,age_group,sex,birth_date,
    // ISO dates, the age group in double quotes.
    kHeaderCsv,
    // The header CSV's fields followed by 13 more as a registry exports them
    // (codes, counts, measurements, a postcode): 20 fields a line.
    kRegistry20,
};

// Writes `count` random cases with LF line ends.  The same seed always gives
// the same cases, in either layout.  Returns false when the file cannot be
// written.
bool WriteCaseFile(const std::string& path, std::int64_t count, std::uint64_t seed,
                   CaseFileLayout layout = CaseFileLayout::kExample);

// A file of `count` cases (seed 1) in the temporary folder, written on first
// use and removed when the program ends.
const std::string& SharedCaseFile(std::int64_t count, CaseFileLayout layout = CaseFileLayout::kExample);

}  // namespace kalderon::bench
