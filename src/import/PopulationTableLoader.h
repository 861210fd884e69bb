#pragma once

#include <string>
#include <vector>

#include "import/ReaderFault.h"
#include "stats/PopulationTable.h"

namespace kalderon {

// The user tables of a population database (life tables or reference rate
// tables) in the order the database keeps them.
ReadResult<std::vector<std::string>> ListPopulationTables(const std::string& databasePath);

// What the third and fourth columns hold: probabilities lie in [0, 1],
// rates are at least 0.
enum class PopulationValues { kProbabilities, kRates };

// The content of the table `tableName`, read ordered by Year and Age: one
// entry per distinct year, with the values of the third and fourth columns
// in age order.  Rows whose year or values are not numbers are left out.
// An empty name loads nothing once the database opens.  A fault when the
// database or the table cannot be read (a table needs Year and Age
// columns), or when a row of numbers is out of bounds (a year outside 1 to
// 9999, an age outside 0 to 150, more rows in a year than ages, a value
// outside the range of `values`): then the fault's description names the row.
ReadResult<std::vector<CPopulationYearTable>> LoadPopulationTable(
    const std::string& databasePath, const std::string& tableName,
    PopulationValues values = PopulationValues::kProbabilities);

}  // namespace kalderon
