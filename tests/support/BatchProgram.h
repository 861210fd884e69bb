#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "analysis/AnalysisCommand.h"
#include "support/TempDir.h"

namespace kalderon::testing {

using kalderon::ShellQuoted;

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs kalderon-batch in the source folder with a fixed clock, keeping its
// standard output and error in files of `dir`; with `addressSpaceKb`, in no
// more address space than that.
inline ProgramRun RunBatchProgram(const TempDir& dir, const std::vector<std::string>& arguments,
                                  long addressSpaceKb = 0)
{
    std::string command = "cd " + ShellQuoted(KALDERON_SOURCE_DIR) + " && " +
                          (addressSpaceKb > 0 ? "ulimit -v " + std::to_string(addressSpaceKb) + " && " : "") +
                          "SOURCE_DATE_EPOCH=1700000000 TZ=UTC " + ShellQuoted(KALDERON_BATCH_PATH);
    for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
    command += " >" + ShellQuoted(dir.path("stdout")) + " 2>" + ShellQuoted(dir.path("stderr"));
    const int status = std::system(command.c_str());
    ProgramRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadBytes(dir.path("stdout"));
    run.err = ReadBytes(dir.path("stderr"));
    return run;
}

// Runs kalderon-batch in the source folder with a fixed clock.
class BatchProgramTest : public ::testing::Test {
protected:
    ProgramRun Run(const std::vector<std::string>& arguments) { return RunBatchProgram(dir, arguments); }

    static std::string Expected(const std::string& name)
    {
        return ReadBytes(std::string(KALDERON_SOURCE_DIR) + "/tests/data/batch/" + name);
    }

    TempDir dir;
};

}  // namespace kalderon::testing
