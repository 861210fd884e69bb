#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "batch/BatchOptions.h"
#include "import/ColumnSelectionRules.h"
#include "import/DataSet.h"

namespace kalderon::batch {

// The column selection the dialog would hold for fields given by name, or
// the reason why a name cannot be used.
struct FieldSelection {
    ColumnSelection selection;
    std::string error;
};
FieldSelection SelectFieldsByName(const DatabaseInput& input, const std::vector<std::string>& fieldNames);

// The option that names the field of a combo of the column selection.
const char* OptionOfControl(int control);

// Reads the chosen table of a database file into `dataSet`, or writes the
// table or field list that was asked for.  Returns the exit code when the
// run ends here (a listing, or a failure told on `err`), nothing when the
// cases were read.
std::optional<int> ReadDatabaseInput(const BatchOptions& options, DataSet& dataSet, std::ostream& out,
                                     std::ostream& err);

}  // namespace kalderon::batch
