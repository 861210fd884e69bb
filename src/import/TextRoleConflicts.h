#pragma once

#include <optional>
#include <string>

#include "import/TextImportSettings.h"

namespace kalderon {

// The roles of a line of a case file, in the order of the wizard's rows.
enum TextRole { kTextRoleBegin, kTextRoleEnd, kTextRoleStatus, kTextRoleGroup, kTextRoleSex, kTextRoleBirth,
                kTextRoleCount };

// "Date of beginning of follow-up", ..., "Gender variable", "Date of birth".
const char* TextRoleName(int role);

// Two roles that read the same field, or overlapping characters, of a line.
struct SharedColumn {
    int first = 0;   // the earlier role
    int second = 0;  // the later role, whose setting is the one to look at
    int from = 0;    // the field number, or the characters both read
    int to = 0;
    bool fixedColumns = false;
};

// The first pair of roles in use that read the same field (free format) or
// overlapping characters (fixed columns), the later role running from end
// to date of birth and the earlier from begin up to it.  The grouping
// variable and the gender may share a column, as they may in a database
// table.  Roles switched off, and fixed ranges that read nothing (first
// position 0 or above the last), share nothing.
std::optional<SharedColumn> FindSharedColumn(const TextImportSettings& settings);

// "Date of beginning of follow-up and Status at end of follow-up both use column 1."
std::string SharedColumnText(const SharedColumn& shared);

}  // namespace kalderon
