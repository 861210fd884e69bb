#pragma once

#include <string>
#include <vector>

#include "import/ColumnAssignment.h"
#include "import/TextImportSettings.h"

namespace kalderon {

// The fields of a database table that hold the values of a case, by name:
// each date one field, or with separateDates three ("DAY,MONTH,YEAR", "-"
// as DAY for none); empty: not read.  `table` is the table chosen from the
// file's list, empty when the file's only table was taken.
struct DatabaseRoles {
    std::string table;
    bool separateDates = false;
    std::string begin, end, status, group, sex, birth;
};

// The roles of an assignment of the table's fields `fieldNames`.
DatabaseRoles RolesOfAssignment(const CColumnAssignment& assignment, const std::vector<std::string>& fieldNames);

// Where a data set's cases were read from and how: a text file with the
// wizard's settings, or a table of a database file.
struct DataSource {
    std::string path;
    bool isDatabase = false;
    TextImportSettings text;
    DatabaseRoles database;
};

}  // namespace kalderon
