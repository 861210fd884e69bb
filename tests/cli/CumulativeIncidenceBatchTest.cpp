#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "support/BatchProgram.h"

namespace kalderon {
namespace {

using testing::ProgramRun;
using testing::ReadBytes;

class CumulativeIncidenceBatchTest : public testing::BatchProgramTest {
protected:
    ProgramRun RunCuminc(const std::string& file, std::vector<std::string> arguments)
    {
        for (const std::string& argument :
             {"tests/data/cuminc/" + file, std::string("--group"), std::string("4"), std::string("--analysis"),
              std::string("cuminc")})
            arguments.push_back(argument);
        return Run(arguments);
    }
};

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ';');) fields.push_back(field);
    return fields;
}

// The report and export of a stratified analysis, at the ends of yearly
// intervals and at the event days; the export's incidence, standard error
// and tests are those of R's cmprsk (tests/reference/cumulative-incidence.R)
// to the printed digits (half a unit of the sixth decimal, rounded either way).
TEST_F(CumulativeIncidenceBatchTest, ReportAndExportWithGraysTestAsRCmprsk)
{
    const std::string csv = dir.path("rdata3.csv");
    ProgramRun run = RunCuminc("rdata3.txt", {"--event", "1", "--competing", "2", "--csv", csv});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, Expected("cuminc-rdata3.txt"));
    EXPECT_EQ(ReadBytes(csv), Expected("cuminc-rdata3.csv"));

    const std::string daysCsv = dir.path("days.csv");
    run = RunCuminc("rdata3.txt", {"--competing", "2", "--technique", "productlimit", "--unit", "day", "--csv", daysCsv});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::map<std::string, std::vector<double>> reference;  // "group cause day" -> estimate, variance
    std::map<std::string, std::vector<double>> tests;      // cause -> statistic, df, p
    std::ifstream in(std::string(KALDERON_SOURCE_DIR) + "/tests/data/cuminc/reference.txt");
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string kind, file, group, cause, day;
        double a, b, c;
        words >> kind >> file;
        if (file != "rdata3.txt") continue;
        if (kind == "curve" && words >> group >> cause >> day >> a >> b) reference[group + " " + cause + " " + day] = {a, b};
        if (kind == "test" && words >> cause >> a >> b >> c) tests[cause] = {a, b, c};
    }
    std::istringstream exported(ReadBytes(daysCsv));
    size_t rows = 0, testRows = 0;
    bool inTests = false;
    for (std::string line; std::getline(exported, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> f = Fields(line);
        if (line.empty() || f[0] == "Group") continue;
        if (f[0] == "Cause") {
            inTests = true;
            continue;
        }
        if (inTests) {
            const std::vector<double>& expected = tests.at(f[0]);
            EXPECT_NEAR(std::stod(f[1]), expected[0], 1e-9 * expected[0]) << line;
            EXPECT_EQ(std::stod(f[2]), expected[1]) << line;
            EXPECT_NEAR(std::stod(f[3]), expected[2], 1e-9 * expected[2]) << line;
            ++testRows;
            continue;
        }
        const std::vector<double>& expected = reference.at(f[0] + " " + f[1] + " " + f[2]);
        EXPECT_NEAR(std::stod(f[5]), expected[0], 1e-6) << line;
        EXPECT_NEAR(std::stod(f[6]), std::sqrt(expected[1]), 1e-6) << line;
        ++rows;
    }
    EXPECT_EQ(rows, reference.size());
    EXPECT_EQ(testRows, 2u);
}

// Several codes of the event of interest, event days in the unit day and
// the .99 level; the codes checked as they are named.
TEST_F(CumulativeIncidenceBatchTest, CodesOfTheCausesAndTheirRefusals)
{
    const std::string csv = dir.path("ties.csv");
    ProgramRun run = RunCuminc("ties.txt", {"--event", "1,3", "--competing", "2", "--technique", "productlimit",
                                            "--unit", "day", "--ci", ".99", "--csv", csv});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, Expected("cuminc-ties-days.txt"));
    EXPECT_EQ(ReadBytes(csv), Expected("cuminc-ties-days.csv"));

    run = RunCuminc("ties.txt", {"--event", "1", "--competing", "2,1"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("The status code 1 is named twice!"), std::string::npos) << run.err;

    run = RunCuminc("ties.txt", {"--event", "1", "--competing", "2,7"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("no valid case has the status code \"7\""), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("Cumulative incidence of the competing event 7"), std::string::npos);

    run = Run({"tests/data/cuminc/ties.txt", "--competing", "2"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--competing needs --analysis cuminc"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace kalderon
