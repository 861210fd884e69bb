#pragma once

#include <string>

namespace kalderon::bench {

// Writes a Stata (.dta), SPSS (.sav) or SAS (.sas7bdat) file, by the
// target's extension, of `rows` cases: the example data set's cases over and
// over, with the fields diagnosis_date, last_contact, vital_status,
// age_group, sex (labelled) and birth_date, dates formatted as dates.
// False when the file cannot be written.
bool MakeBigStatisticsFile(const std::string& target, long rows);

}  // namespace kalderon::bench
