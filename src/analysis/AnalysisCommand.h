#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/AnalysisFile.h"
#include "analysis/CaseChoice.h"
#include "analysis/CoxDesign.h"
#include "analysis/RunAnalysis.h"
#include "import/DataSet.h"

namespace kalderon {

// What made a result: the data set as read, with the case choice made on it
// and the parameters its record holds once the dialog is confirmed, the
// request, the population database its table was loaded from (for relative
// survival and SMR/SIR) and, for a Cox regression, the model.
struct AnalysisRecipe {
    const DataSet& data;
    const CaseChoice& choice;
    const AnalysisRequest& request;
    std::string populationDatabase;
    std::optional<CoxModelChoice> coxModel = std::nullopt;
};

// The data file and the kalderon-batch options that run the same analysis
// on it and write the same report, in the order of kalderon-batch's --help;
// every choice is stated, defaults included, so that the options do not
// depend on the defaults of the day.
AnalysisFile AnalysisFileOf(const AnalysisRecipe& recipe);

// The arguments of kalderon-batch that state the analysis: the data file,
// then each option with its value (an option of several values once per
// value).
std::vector<std::string> CommandLineArguments(const AnalysisFile& analysis);

// The command line of `program` with those arguments, each quoted for a
// POSIX shell where it needs to be.
std::string CommandLineText(const AnalysisFile& analysis, const std::string& program = "kalderon-batch");

// An argument as a POSIX shell reads it back: as it stands when it holds
// only characters no shell gives a meaning, else in single quotes.
std::string ShellQuoted(const std::string& argument);

}  // namespace kalderon
