#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "import/ColumnAssignment.h"
#include "import/DataSet.h"
#include "import/DatabaseEngine.h"
#include "import/ReadProgress.h"
#include "stats/AnalysisData.h"
#include "stats/CaseList.h"

namespace kalderon {

// Whether a path names a database file (".mdb", ".xls", ".dbf", ".xlsx" or
// ".ods", any letter case) or a statistics package's data file
// (IsStatisticsFile).
bool IsDatabaseFile(const std::string& path);

// Whether a path names a dBase file (".dbf", any letter case).
bool IsDbaseFile(const std::string& path);

// Nothing, or string 322 for a dBase file whose name without extension is
// longer than 8 characters.
std::optional<int> DbaseFileNameMessage(const std::string& path);

// A database opened for an import.  For a dBase file the database is its
// folder and `tableName` the file's table; for Access and Excel files the
// table is still to be chosen; a statistics file is a database of one
// table, named in `tableName` as for dBase.  A path that is not a database
// file gives kDaoNoDriver.
struct ImportDatabase {
    std::unique_ptr<Database> database;
    std::string tableName;
};
ReadResult<ImportDatabase> OpenImportDatabase(const std::string& path);

// The tables offered for choice: system objects left out, a sheet ("Name$")
// and a range of the same name listed once in the form met first, sorted.
// `takenAtOnce` is the table used without asking: the only table definition
// of the database, or the only entry left in the list.
struct TableChoice {
    std::vector<std::string> entries;
    std::string takenAtOnce;
};
TableChoice ChooseTableEntries(const std::vector<TableDefInfo>& tables);

// String 300 followed by the field names.
std::vector<std::string> BuildColumnTexts(const std::vector<std::string>& fieldNames);

// The source shown in titles and reports: the path, and " - " and the table
// name when the table was chosen from the database's list.
std::string ImportSourceText(const std::string& path, const std::string& chosenTable);

// Reads every row of a table into cases, row i becoming case number i + 1,
// keeping the case bookkeeping of `data`.  On a fault (the table cannot be
// opened or read, or there is not room enough) `data` is to be discarded.
// `progress` counts rows against the row count the table gives.
ReadResult<CaseList> ReadTableIntoCases(const Database& database, const std::string& table,
                                        const CColumnAssignment& assignment, CAnalysisData& data,
                                        const ReadProgress& progress = {});

// The same into a data set that also keeps every field of the table as a
// column (named as the table names it, with the labels the file gives its
// values), with the optional-column flags of the assignment; where the
// group field's values have labels, the groups take them.
ReadResult<DataSet> ReadTableIntoDataSet(const Database& database, const std::string& table,
                                         const CColumnAssignment& assignment, const ReadProgress& progress = {});

// Entry points for callers without dialogs.

// The tables of a database file as the table choice offers them; for a
// dBase file its one table.
ReadResult<TableChoice> ListDatabaseTables(const std::string& path);

// The field names of a table (for a dBase file `table` may be empty).
ReadResult<std::vector<std::string>> ListTableFields(const std::string& path, const std::string& table);

// Opens a database file and reads a table into cases with the source text
// set as the interactive import sets it.  `table` names the table of an
// Access or Excel file (for a dBase file it may be empty).
ReadResult<CaseList> ReadDatabaseTable(const std::string& path, const std::string& table,
                                       const CColumnAssignment& assignment, CAnalysisData& data);
// The same into a data set, as ReadTableIntoDataSet reads it.
ReadResult<DataSet> ReadDatabaseDataSet(const std::string& path, const std::string& table,
                                        const CColumnAssignment& assignment);

}  // namespace kalderon
