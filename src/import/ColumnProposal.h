#pragma once

#include <string>
#include <vector>

#include "import/ColumnSelectionRules.h"
#include "import/DatabaseEngine.h"

namespace kalderon {

// What the first rows of a table hold in a field: no value at all (only
// nulls and empty texts), only dates (date values, or texts that read as
// dates), no date at all, or both.
enum class FieldKind { kNoValues, kDates, kNoDates, kMixed };

// The kind of every field from at most `rows` first rows of the table.
ReadResult<std::vector<FieldKind>> SampleFieldKinds(const Database& database, const std::string& table,
                                                    size_t rows = 20);

// The column selection proposed for a table in the complete-date layout: a
// role takes a field when exactly one field bears one of the role's names
// (letter case, blanks, "_", "-" and "." aside: begin, start, entry,
// diagnosis, dx_date, ...; end, exit, last_contact, ...; status,
// vital_status, dead, event, censor, ...; group, stage, site, arm, ...;
// sex, gender; birth, dob, date_of_birth, ...) and that field's values fit
// the role: dates for begin, end and birth, no dates for the others.
// Every other role keeps the first entry of its list.  No field bears the
// names of two roles, so the proposal never uses a field twice.
ColumnSelection ProposeColumnSelection(const std::vector<std::string>& fieldNames,
                                       const std::vector<FieldKind>& kinds);

// The same from the table itself; nothing proposed when its first rows
// cannot be read.
ColumnSelection ProposeColumnSelection(const Database& database, const std::string& table,
                                       const std::vector<std::string>& fieldNames);

}  // namespace kalderon
