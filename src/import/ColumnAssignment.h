#pragma once

#include <array>
#include <cstdint>

#include "import/DatabaseEngine.h"
#include "stats/CaseRecord.h"

namespace kalderon {

// Which table field (0-based position; negative = none) holds each value of
// a case, in either layout of the dates.
struct CColumnAssignment {
    enum Role {
        kBegin, kEnd, kStatus, kGroup, kSex, kBirth,
        kBeginDay, kBeginMonth, kBeginYear,
        kEndDay, kEndMonth, kEndYear,
        kBirthDay, kBirthMonth, kBirthYear,
        kRoleCount
    };

    std::array<std::int32_t, kRoleCount> columns{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    // 0: each date in one field; 1: day, month and year in three fields.
    std::int32_t dateInSeparateColumns = 0;

    std::int32_t operator[](Role role) const { return columns[role]; }
    std::int32_t& operator[](Role role) { return columns[role]; }

    // Whether the import has a date of birth at all.
    bool hasBirthColumn() const;
};

// Fills the values of one case from the current row (the case number is the
// caller's).  Conversions never fail: what does not convert becomes an
// invalid date or an empty text.  An assigned field the row does not have
// gives kDaoItemNotFound.
ReadResult<void> ReadDatabaseRecord(const Recordset& row, const CColumnAssignment& assignment,
                                    ImportedRecordValues& values);

}  // namespace kalderon
