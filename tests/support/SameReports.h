#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "support/BatchProgram.h"

namespace kalderon::testing {

// The report of one kalderon-batch run with the line naming the input (its
// path, and a table chosen from it) replaced by "INPUT", and the export it
// wrote; for comparing a data set read from files of different formats.
struct ReportAndExport {
    std::string report;
    std::string exported;
};

inline ReportAndExport RunForReportAndExport(const TempDir& dir, const std::string& input,
                                             std::vector<std::string> arguments, const std::string& expectedErr = "")
{
    const std::string csv = dir.path("export.csv");
    arguments.insert(arguments.begin(), input);
    arguments.push_back("--csv");
    arguments.push_back(csv);
    ProgramRun run = RunBatchProgram(dir, arguments);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, expectedErr);
    const size_t path = run.out.find(input);
    EXPECT_NE(path, std::string::npos);
    if (path != std::string::npos) run.out.replace(path, run.out.find('\r', path) - path, "INPUT");
    return {run.out, ReadBytes(csv)};
}

// The first `count` lines of data/examples/rdata.txt (begin;end;status;
// group;sex;birth), with a line of empty fields after line `emptyLineAfter`.
inline std::string FirstExampleCases(int count, int emptyLineAfter = 0)
{
    std::istringstream example(ReadBytes(std::string(KALDERON_SOURCE_DIR) + "/data/examples/rdata.txt"));
    std::string cases;
    std::string line;
    for (int number = 1; number <= count && std::getline(example, line); ++number) {
        cases += line + "\n";
        if (number == emptyLineAfter) cases += ";;;;;\n";
    }
    return cases;
}

}  // namespace kalderon::testing
