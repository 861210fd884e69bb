#include <gtest/gtest.h>

#include "resources/Texts.h"
#include "support/BatchProgram.h"

namespace kalderon {
namespace {

using testing::ProgramRun;
using testing::ReadBytes;

class SurvivalBatchTest : public testing::BatchProgramTest {
protected:
    // Runs an analysis of the tiny example by its groups with event code 1
    // and checks report and export against the stored files `name`.txt and
    // `name`.csv.
    void ExpectTinyResults(const std::string& name, std::vector<std::string> arguments)
    {
        const std::string csv = dir.path(name + ".csv");
        for (const char* argument : {"--group", "4", "--event", "1", "--csv"}) arguments.push_back(argument);
        arguments.push_back(csv);
        arguments.insert(arguments.begin(), "data/examples/tiny.txt");
        const ProgramRun run = Run(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, Expected(name + ".txt"));
        EXPECT_EQ(ReadBytes(csv), Expected(name + ".csv"));
    }
};

TEST_F(SurvivalBatchTest, AnalysesOfTheTinyExample)
{
    // The period is widened to whole years as the dialog does: 1997-2001.
    ExpectTinyResults("tiny-period", {"--analysis", "period", "--period-begin", "15.03.1997", "--period-end",
                                      "20.10.2001"});
    ExpectTinyResults("tiny-period-productlimit",
                      {"--analysis", "period", "--technique", "productlimit", "--unit", "day", "--period-begin",
                       "01.01.1997", "--period-end", "31.12.2001"});
    ExpectTinyResults("tiny-productlimit", {"--analysis", "productlimit"});
    ExpectTinyResults("tiny-trend", {"--analysis", "trend", "--technique", "productlimit", "--years", "2",
                                     "--width", "3"});
}

TEST_F(SurvivalBatchTest, ExampleDataSetReports)
{
    ProgramRun run = Run({"data/examples/rdata.txt", "--analysis", "trend", "--years", "5", "--width", "5"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Results (Period analysis by starting year of period using life table techniques)", 0),
              0u);
    // Diagnoses 1982-1986, follow-up until 1997: starting years 1982 to 1993.
    EXPECT_NE(run.out.find("   1982             956.5"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("   1993               0.0             0.0         NA\r\n"), std::string::npos);
    EXPECT_EQ(run.out.find("1994"), std::string::npos);
    EXPECT_EQ(run.out.find("-0.0"), std::string::npos);

    run = Run({"data/examples/rdata.txt", "--analysis", "productlimit", "--event", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("time [years]  at risk"), std::string::npos);
    EXPECT_NE(run.out.find("    0.024641    1040    0.999038    0.999038"), std::string::npos) << run.out.substr(0, 1500);

    run = Run({"data/examples/rdata.txt", "--analysis", "period", "--event", "1", "--period-begin", "01.01.1990",
               "--period-end", "31.12.1994", "--group", "4"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Period of interest - begin: 01.01.90\r\n"), std::string::npos);
    EXPECT_NE(run.out.find("Group <54"), std::string::npos);
    // Every case began before the period: the report shows why no group has a row, and so does a note.
    EXPECT_NE(run.err.find("kalderon-batch: No case begins its follow-up in the period of interest 01.01.1990 to "
                           "31.12.1994, so no case enters the first interval of the life table technique.\n"),
              std::string::npos)
        << run.err;

    // A period wholly before the observation period is refused, not analysed empty.
    run = Run({"data/examples/rdata.txt", "--analysis", "period", "--event", "1", "--period-begin", "01.01.1975",
               "--period-end", "31.12.1979"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("01.01.1975 to 31.12.1979 lies outside the observation period 01.01.1982 to 31.12.1997"),
              std::string::npos)
        << run.err;
}

TEST_F(SurvivalBatchTest, TrendRefusals)
{
    ProgramRun run = Run({"data/examples/tiny.txt", "--event", "1", "--analysis", "trend", "--unit", "month"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, std::string("kalderon-batch: ") + text::kNonYearTrend + "\n");

    // n or a width below 1 is a refused argument.
    for (const char* option : {"--years", "--width"}) {
        run = Run({"data/examples/tiny.txt", "--event", "1", "--analysis", "trend", option, "0"});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(std::string(option) + " needs a whole number of at least 1: 0"), std::string::npos)
            << run.err;
    }
}

TEST_F(SurvivalBatchTest, PeriodGivenInReverseOrderWithinOneYear)
{
    // 20.10.1999 to 15.03.1999 names the year 1999 once widened.
    const ProgramRun reversed = Run({"data/examples/tiny.txt", "--group", "4", "--event", "1", "--analysis",
                                     "period", "--period-begin", "20.10.1999", "--period-end", "15.03.1999"});
    const ProgramRun ordered = Run({"data/examples/tiny.txt", "--group", "4", "--event", "1", "--analysis",
                                    "period", "--period-begin", "01.01.1999", "--period-end", "31.12.1999"});
    ASSERT_EQ(reversed.exitCode, 0) << reversed.err;
    EXPECT_EQ(reversed.out, ordered.out);
    EXPECT_NE(reversed.out.find("Period of interest - begin: 01.01.99\r\n"), std::string::npos);
}

TEST_F(SurvivalBatchTest, EventCodeThatNoCaseCarries)
{
    // Every case censored: survival 1 throughout, and a note on standard error.
    const std::string csv = dir.path("none.csv");
    const ProgramRun run = Run({"data/examples/tiny.txt", "--event", "7", "--analysis", "productlimit", "--csv", csv});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "kalderon-batch: no valid case has the status code \"7\" (status codes \"1\", \"0\"): "
                       "every case is censored\n");
    const std::string exported = ReadBytes(csv);
    size_t rows = 0;
    for (size_t at = exported.find("\r\n") + 2; at < exported.size(); ++rows) {
        const size_t end = exported.find("\r\n", at);
        ASSERT_NE(end, std::string::npos);
        const std::string row = exported.substr(at, end - at);
        // Censored rows carry their time only.
        EXPECT_EQ(row.substr(row.find(';')), ";;;;;;") << row;
        at = end + 2;
    }
    EXPECT_EQ(rows, 12u);
    EXPECT_NE(run.out.find("    0.996578     -          -           -"), std::string::npos) << run.out;

    const ProgramRun lifeTable = Run({"data/examples/tiny.txt", "--event", "7", "--analysis", "lifetable"});
    ASSERT_EQ(lifeTable.exitCode, 0) << lifeTable.err;
    EXPECT_NE(lifeTable.out.find("1.000000   1.000000   0.000000  1.000000  1.000000"), std::string::npos) << lifeTable.out;
}

}  // namespace
}  // namespace kalderon
