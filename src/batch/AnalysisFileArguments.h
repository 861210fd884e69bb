#pragma once

#include <string>
#include <vector>

#include "analysis/AnalysisFile.h"

namespace kalderon::batch {

// The command line with the analysis file of --analysis-file spelled out
// before it: its data file (unless the command line names an input file)
// and its options, but those the command line gives itself or replaces (a
// --female given replaces the file's --male, --no-stratified its
// --stratified).  The arguments as they are without --analysis-file; an
// error when the file cannot be used.
struct ExpandedArguments {
    std::vector<std::string> arguments;
    std::string error;
};
ExpandedArguments ExpandAnalysisFile(const std::vector<std::string>& arguments);

// What --write-analysis-file keeps of a command line: the input file and
// every option but the output options and the two of the analysis files.
AnalysisFile AnalysisOfArguments(const std::vector<std::string>& arguments);

}  // namespace kalderon::batch
