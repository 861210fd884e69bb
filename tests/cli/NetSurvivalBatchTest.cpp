#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "support/BatchProgram.h"

namespace kalderon {
namespace {

using testing::ProgramRun;
using testing::ReadBytes;

class NetSurvivalBatchTest : public testing::BatchProgramTest {
protected:
    ProgramRun RunRdata(const std::string& method, std::vector<std::string> more)
    {
        std::vector<std::string> arguments{"data/examples/rdata.txt", "--sex", "5", "--birth", "6", "--event", "1",
                                           "--relative", "--male", "1", "--population-table", "Slovenia 1930-2020",
                                           "--method", method};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return Run(arguments);
    }

    // The table rows of a report (lines starting with an interval number).
    static std::vector<std::string> Rows(const std::string& report)
    {
        std::vector<std::string> rows;
        std::istringstream lines(report);
        for (std::string line; std::getline(lines, line);)
            if (line.size() > 5 && line[0] == ' ' && std::isdigit(static_cast<unsigned char>(line[4])))
                rows.push_back(line);
        return rows;
    }
};

TEST_F(NetSurvivalBatchTest, StoredReportsOfTheExamples)
{
    const std::string csv = dir.path("net.csv");
    ProgramRun run = RunRdata("pohar-perme", {"--group", "4", "--csv", csv});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, Expected("rdata-net-lifetable.txt"));
    EXPECT_EQ(ReadBytes(csv), Expected("rdata-net-lifetable.csv"));
    EXPECT_NE(run.out.find("Net Survival\r\nMethod for estimating net survival     :  Pohar-Perme\r\n"
                           "Method for estimating expected survival:  Ederer II\r\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("  exp. survival  net survival   error  "), std::string::npos);
    EXPECT_EQ(ReadBytes(csv).find("Cumulative expected survival;Cumulative net survival;Standard error"),
              std::string("Group;Interval of follow-up;Entered;Died;Censored;Exposed to risk;"
                          "Interval-specific survival;Cumulative survival;")
                  .size());

    const std::vector<std::pair<std::string, std::vector<std::string>>> others = {
        {"tiny-net-productlimit", {"--analysis", "productlimit"}},
        {"tiny-net-period", {"--analysis", "period"}},
        {"tiny-net-period-productlimit", {"--analysis", "period", "--technique", "productlimit"}},
        {"tiny-net-trend", {"--analysis", "trend", "--years", "2", "--width", "3"}},
    };
    for (const auto& [name, options] : others) {
        std::vector<std::string> arguments{"data/examples/tiny.txt", "--group", "4", "--sex", "5", "--birth", "6",
                                           "--event", "1", "--relative", "--male", "1", "--method", "pohar-perme",
                                           "--csv", csv};
        arguments.insert(arguments.end(), options.begin(), options.end());
        run = Run(arguments);
        ASSERT_EQ(run.exitCode, 0) << name << run.err;
        EXPECT_EQ(run.out, Expected(name + ".txt")) << name;
        EXPECT_EQ(ReadBytes(csv), Expected(name + ".csv")) << name;
        EXPECT_EQ(run.out.find("rel. survival"), std::string::npos) << name;
        EXPECT_EQ(ReadBytes(csv).find("relative"), std::string::npos) << name;
    }
}

TEST_F(NetSurvivalBatchTest, AllCasesOfRdataAsRelsurvAndBesideEdererII)
{
    const ProgramRun net = RunRdata("pohar-perme", {});
    const ProgramRun ederer = RunRdata("ederer2", {});
    ASSERT_EQ(net.exitCode, 0) << net.err;
    ASSERT_EQ(ederer.exitCode, 0) << ederer.err;
    const std::vector<std::string> netRows = Rows(net.out), edererRows = Rows(ederer.out);
    ASSERT_GE(netRows.size(), 10u);
    ASSERT_EQ(netRows.size(), edererRows.size());

    std::map<int, double> relsurv;
    std::ifstream reference(std::string(KALDERON_SOURCE_DIR) + "/tests/data/netsurv/reference.txt");
    std::string example, group;
    int years = 0;
    double value = 0.0;
    while (reference >> example >> group >> years >> value)
        if (example == "rdata" && group == "all") relsurv[years] = value;
    ASSERT_EQ(relsurv.size(), 10u);

    for (size_t j = 0; j < netRows.size(); ++j) {
        SCOPED_TRACE(netRows[j]);
        // Counts, observed and expected survival as Ederer II prints them.
        const size_t expectedEnd = std::string("    1  1040   111     2     1039.0  0.893167   0.893167     0.965740").size();
        EXPECT_EQ(netRows[j].substr(0, expectedEnd), edererRows[j].substr(0, expectedEnd));
        double interval = 0, entered = 0, dead = 0, censored = 0, exposed = 0, rate = 0, observed = 0, expected = 0,
               s = 0, se = 0, lower = 0, upper = 0;
        ASSERT_EQ(std::sscanf(netRows[j].c_str(), "%lf %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf %lf", &interval,
                              &entered, &dead, &censored, &exposed, &rate, &observed, &expected, &s, &se, &lower,
                              &upper),
                  12);
        if (relsurv.count(static_cast<int>(interval))) {
            EXPECT_NEAR(s, relsurv[static_cast<int>(interval)], 0.003);
        }
        EXPECT_NEAR(lower, std::clamp(s - 1.95996 * se, 0.0, 1.0), 3e-6);  // printed with six decimals
        EXPECT_NEAR(upper, std::clamp(s + 1.95996 * se, 0.0, 1.0), 3e-6);  // printed with six decimals
    }
}

// Women born in the 1890s among younger ones, followed for up to 20 years:
// the weights of the oldest grow so large that the estimate runs away.
TEST_F(NetSurvivalBatchTest, UnstableNetSurvivalIsShownAsNaUnlessRawValuesAreAsked)
{
    const std::string data = dir.path("old.txt");
    {
        std::ofstream out(data, std::ios::binary);
        for (int i = 0; i < 40; ++i) {
            const bool old = i % 4 == 0;
            const int endYear = old ? 2001 + i % 7 : 1995 + i % 15;
            out << "01.01.1990;01.0" << 1 + i % 9 << "." << endYear << ";" << (old || i % 3 == 0 ? 1 : 0) << ";A;"
                << (old ? 2 : 1 + i % 2) << ";15.06." << (old ? 1895 + i % 5 : 1930 + i % 20) << "\n";
        }
        out << "01.01.1990;01.01.2010;0;A;2;15.06.1896\n";
    }
    const std::vector<std::string> options{data, "--sex", "5", "--birth", "6", "--event", "1", "--relative",
                                           "--male", "1", "--population-table", "Slovenia 1930-2020", "--method",
                                           "pohar-perme"};
    const ProgramRun shown = Run(options);
    std::vector<std::string> rawOptions = options;
    rawOptions.push_back("--net-survival-raw");
    const ProgramRun raw = Run(rawOptions);
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    ASSERT_EQ(raw.exitCode, 0) << raw.err;
    EXPECT_NE(shown.err.find("is unstable from "), std::string::npos) << shown.err;
    EXPECT_NE(shown.out.find("Its values are shown as NA from there on."), std::string::npos);
    EXPECT_NE(raw.out.find("Its raw values are shown all the same."), std::string::npos);

    const std::vector<std::string> shownRows = Rows(shown.out), rawRows = Rows(raw.out);
    ASSERT_EQ(shownRows.size(), rawRows.size());
    size_t hidden = 0;
    for (size_t j = 0; j < shownRows.size(); ++j) {
        SCOPED_TRACE(shownRows[j]);
        const bool na = shownRows[j].find("NA") != std::string::npos;
        if (!na) {
            EXPECT_EQ(hidden, 0u) << "a row with net survival after one without";
            EXPECT_EQ(shownRows[j], rawRows[j]);
            continue;
        }
        ++hidden;
        // The same counts, observed and expected survival; four NA in place of the raw values.
        const size_t netColumn = std::string("    1    41     0     0       41.0  1.000000   1.000000     0.982115").size();
        EXPECT_EQ(shownRows[j].substr(0, netColumn), rawRows[j].substr(0, netColumn));
        EXPECT_EQ(rawRows[j].find("NA"), std::string::npos);
        double s = 0, se = 0;
        ASSERT_EQ(std::sscanf(rawRows[j].c_str() + netColumn, "%lf %lf", &s, &se), 2);
    }
    EXPECT_GT(hidden, 0u);
    EXPECT_LT(hidden, shownRows.size());
}

TEST_F(NetSurvivalBatchTest, MethodChoicesAndTheirChecks)
{
    ProgramRun run = RunRdata("pohar", {});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kalderon-batch: --method takes one of ederer2, hakulinen, pohar-perme: pohar (see --help)\n");
    run = RunRdata("pohar-perme", {"--closing-date", "31.12.1995"});
    EXPECT_EQ(run.err, "kalderon-batch: --closing-date needs --method hakulinen (see --help)\n");
    run = Run({"data/examples/rdata.txt", "--sex", "5", "--birth", "6", "--method", "pohar-perme"});
    EXPECT_EQ(run.err, "kalderon-batch: --method needs --relative (see --help)\n");
}

}  // namespace
}  // namespace kalderon
