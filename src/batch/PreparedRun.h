#pragma once

#include <optional>
#include <ostream>

#include "analysis/CoxDesign.h"
#include "analysis/RunAnalysis.h"
#include "batch/BatchOptions.h"
#include "import/DataSet.h"

namespace kalderon::batch {

// The steps from the options to an analysis ready to run, as kalderon-batch
// and the desktop program's analysis files take them.  Each gives the exit
// status when the run cannot go on, with the reason written to `err`;
// notes that do not stop it go to `err` too.

// Reads the input file (a text file or a database table, or only the lists
// of --list-tables and --list-fields, written to `out`) and checks its dates.
std::optional<int> ReadInput(const BatchOptions& options, DataSet& dataSet, std::ostream& out, std::ostream& err);

// What is run once the cases are chosen: the request, or for a Cox
// regression the model.
struct AnalysisToRun {
    AnalysisRequest request;
    std::optional<CoxModelChoice> coxModel;
};

// Sets the parameters of the options into the data set's record (event
// code, unit, level, causes, period of interest, technique, n and width,
// population table and sex coding) and gives what is to be run.
std::optional<int> PrepareAnalysis(const BatchOptions& options, DataSet& dataSet, AnalysisToRun& run,
                                   std::ostream& err);

}  // namespace kalderon::batch
