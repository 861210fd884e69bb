#pragma once

#include <string>
#include <vector>

#include "stats/PopulationTable.h"

namespace kalderon {

// The user tables of a population database (life tables or reference rate
// tables) in the order the database keeps them.  False, with the engine's
// message in `errorText`, when the database cannot be read.
bool ListPopulationTables(const std::string& databasePath, std::vector<std::string>& names, std::string& errorText);

// Replaces `tables` by the content of the table `tableName`, read ordered by
// Year and Age: one entry per distinct year, with the values of the third
// and fourth columns in age order.  Rows whose year or values are not
// numbers are left out.  An empty name loads nothing and succeeds.  False,
// with the engine's message in `errorText` and `tables` empty, when the
// database or the table cannot be read (a table needs Year and Age columns).
bool LoadPopulationTable(const std::string& databasePath, const std::string& tableName,
                         std::vector<CPopulationYearTable>& tables, std::string& errorText);

}  // namespace kalderon
