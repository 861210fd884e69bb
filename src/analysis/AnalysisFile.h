#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/ReaderFault.h"

namespace kalderon {

// One option of an analysis as kalderon-batch takes it: its name without
// the two dashes and its values, none for a switch and several for an
// option given more than once.
struct StoredOption {
    std::string name;
    std::vector<std::string> values;

    bool operator==(const StoredOption&) const = default;
};

// What made a result: the data file and the options that read it, choose
// and group its cases and run the analysis, in the order given.
struct AnalysisFile {
    std::string dataPath;
    std::vector<StoredOption> options;
};

inline constexpr int kAnalysisFileVersion = 1;

// The analysis file's text (JSON) for a file written at `analysisPath`: the
// data file's path relative to the analysis file's folder where it lies in
// it or below it, else absolute.
std::string AnalysisFileText(const AnalysisFile& analysis, const std::string& analysisPath);

// Reads the analysis file at `path`: its data path (relative to the current
// folder when the file lies in it, else absolute) and its options, every option name checked with `isOption`.  A file that does
// not read as one, of a later version, with an unknown key or option, or
// whose data file has gone, gives a fault that says so.
ReadResult<AnalysisFile> ReadAnalysisFile(const std::string& path,
                                          const std::function<bool(std::string_view name)>& isOption);

}  // namespace kalderon
