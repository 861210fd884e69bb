#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "batch/PopulationInput.h"
#include "support/BatchProgram.h"

namespace kalderon {
namespace {

using testing::ProgramRun;
using testing::ReadBytes;

const std::vector<std::string> kTinyColumns{"data/examples/tiny.txt", "--group", "4", "--sex", "5", "--birth", "6",
                                            "--event", "1"};

class RelativeBatchTest : public testing::BatchProgramTest {
protected:
    ProgramRun RunTiny(std::vector<std::string> more)
    {
        more.insert(more.begin(), kTinyColumns.begin(), kTinyColumns.end());
        return Run(more);
    }

    // The rows of the interval table that follows `heading` in a report.
    static std::string TableAfter(const std::string& report, const std::string& heading)
    {
        const size_t start = report.find("\n----- ", report.find(heading));
        if (start == std::string::npos) return {};
        return report.substr(start, report.find("\n\r\n", start) - start);
    }
};

TEST_F(RelativeBatchTest, StoredReportsOfTheTinyExample)
{
    const std::string csv = dir.path("relative.csv");
    ProgramRun run = RunTiny({"--relative", "--male", "1", "--csv", csv});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, Expected("tiny-relative.txt"));
    EXPECT_EQ(ReadBytes(csv), Expected("tiny-relative.csv"));

    // Ederer II, group A, first year: the mean of the six annual survivals
    // 1 - q of lifetables_us.csv at the year and age each case began with
    // (male 1995 age 64, female 1995 age 55, male 1996 age 60, female 1998
    // age 72, male 1998 age 47, female 2000 age 54).
    const double q = 0.020152020771 + 0.005335053096 + 0.014057162593 + 0.023250223135 + 0.004648012227 + 0.00454;
    char firstYear[16];
    std::snprintf(firstYear, sizeof firstYear, "%f", 1.0 - q / 6.0);
    EXPECT_EQ(std::string(firstYear), "0.988003");
    EXPECT_NE(run.out.find("0.833333   0.833333     0.988003       0.843452"), std::string::npos);

    // A female mark on one of two codes makes the other code male.
    EXPECT_EQ(RunTiny({"--relative", "--female", "2"}).out, run.out);

    // The crude probabilities of death follow the report and the export,
    // which keep every byte.  Group A, first year: p = 5/6, p* = 0.988003,
    // r = 0.843452; from the disease (1 - r)(1 - 0.011997 / 2) = 0.155609,
    // from other causes 0.011997 (1 - (1 - r) / 2) = 0.011058.
    const ProgramRun crude = RunTiny({"--relative", "--male", "1", "--crude", "--csv", csv});
    ASSERT_EQ(crude.exitCode, 0) << crude.err;
    EXPECT_EQ(crude.out, Expected("tiny-relative.txt") + Expected("tiny-relative-crude.txt"));
    EXPECT_EQ(ReadBytes(csv), Expected("tiny-relative.csv") + Expected("tiny-relative-crude.csv"));
    EXPECT_NE(crude.out.find("       1    0.155609    0.153069    0.011058    0.000924    0.166667\r\n"),
              std::string::npos);
    for (const std::vector<std::string>& refused :
         {std::vector<std::string>{"--crude"}, {"--relative", "--method", "hakulinen", "--crude"},
          {"--relative", "--analysis", "productlimit", "--crude"}})
        EXPECT_EQ(RunTiny(refused).exitCode, 2);

    // SMR/SIR: group A has 4 deaths against 0.195787 expected (summed by hand
    // from refrates_us.csv over the person-days split at birthdays and year
    // ends).
    run = RunTiny({"--analysis", "smr", "--male", "1", "--csv", csv});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, Expected("tiny-smr.txt"));
    EXPECT_EQ(ReadBytes(csv), Expected("tiny-smr.csv"));
    EXPECT_NE(run.out.find("      4      0.195787   20.430330"), std::string::npos);
}

TEST_F(RelativeBatchTest, ExampleDataSetWithTheShippedTables)
{
    ProgramRun run = Run({"data/examples/rdata.txt", "--group", "4", "--sex", "5", "--birth", "6", "--relative",
                          "--male", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Coding of sex:               Male = 1, Female = 2\n"), std::string::npos);
    EXPECT_NE(run.out.find("Method for estimating expected survival:  Ederer II\r\n"), std::string::npos);
    EXPECT_NE(run.out.find("Population life tables used            :  USA 1940-2014\r\n"), std::string::npos);
    for (const char* group : {"Group <54", "Group 54-61", "Group 62-70", "Group 71-95"})
        EXPECT_NE(run.out.find(group), std::string::npos) << group;

    // The table named in another letter case is reported as the database
    // spells it; the closing date defaults to the last end of follow-up.
    run = Run({"data/examples/rdata.txt", "--sex", "5", "--birth", "6", "--event", "1", "--relative", "--male", "1",
               "--method", "hakulinen", "--analysis", "productlimit", "--population-table", "SLOVENIA 1930-2020"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("Hakulinen (closing date: 26.08.1997)"), std::string::npos);
    EXPECT_NE(run.out.find(":  Slovenia 1930-2020\r\n"), std::string::npos);

    run = Run({"data/examples/rdata.txt", "--group", "4", "--sex", "5", "--birth", "6", "--analysis", "smr",
               "--male", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Reference rate table used:   USA mortality 1940-2014\n"), std::string::npos);
    size_t blocks = 0;
    for (size_t at = run.out.find("Person-years: "); at != std::string::npos; at = run.out.find("Person-years: ", at + 1))
        ++blocks;
    EXPECT_EQ(blocks, 4u);

    // Without --male or --female the codes "1" and "2" give 1 = male, and the
    // note says so, though the first case of rdata.txt is a woman.
    run = Run({"data/examples/rdata.txt", "--sex", "5", "--birth", "6", "--event", "1", "--analysis", "smr"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "kalderon-batch: sex codes \"2\", \"1\": \"1\" is taken as male; --male CODE or --female CODE "
                       "chooses the coding\n");
    EXPECT_NE(run.out.find("Coding of sex:               Male = 1, Female = 2\n"), std::string::npos);
    const ProgramRun explicitMale = Run({"data/examples/rdata.txt", "--sex", "5", "--birth", "6", "--event", "1",
                                         "--analysis", "smr", "--male", "1"});
    EXPECT_EQ(explicitMale.out, run.out);
}

TEST_F(RelativeBatchTest, OneSexCodeMarkedFemale)
{
    // The women of the tiny example alone: with the code marked female no
    // case is male, which gives the rows of the women's group of a run
    // grouped by sex.
    std::ifstream tiny(std::string(KALDERON_SOURCE_DIR) + "/data/examples/tiny.txt");
    std::ofstream women(dir.path("women.txt"));
    for (std::string line; std::getline(tiny, line);)
        if (line.find(";2;") != std::string::npos) women << line << "\n";
    women.close();

    const ProgramRun alone =
        Run({dir.path("women.txt"), "--sex", "5", "--birth", "6", "--event", "1", "--relative", "--female", "2"});
    ASSERT_EQ(alone.exitCode, 0) << alone.err;
    EXPECT_NE(alone.out.find("Coding of sex:               Female = 2\n"), std::string::npos);
    const ProgramRun bySex = Run({"data/examples/tiny.txt", "--group", "5", "--sex", "5", "--birth", "6", "--event",
                                  "1", "--relative", "--male", "1"});
    ASSERT_EQ(bySex.exitCode, 0) << bySex.err;
    const std::string rows = TableAfter(alone.out, "exp. survival");
    EXPECT_NE(rows, "");
    EXPECT_EQ(rows, TableAfter(bySex.out, "Group 2"));

    // Marked male, the same code takes the men's values.
    const ProgramRun asMen =
        Run({dir.path("women.txt"), "--sex", "5", "--birth", "6", "--event", "1", "--relative", "--male", "2"});
    ASSERT_EQ(asMen.exitCode, 0) << asMen.err;
    EXPECT_NE(TableAfter(asMen.out, "exp. survival"), rows);
}

TEST_F(RelativeBatchTest, PopulationFailuresGiveTheirExitCodes)
{
    const std::string small = std::string(KALDERON_SOURCE_DIR) + "/tests/data/access/lifetables_small.mdb";
    const std::vector<std::pair<std::vector<std::string>, std::string>> failures = {
        {{"--relative", "--population-table", "Nope"},
         std::string(KALDERON_SOURCE_DIR) +
             "/data/LifeTables.mdb: Could not find the table 'Nope'. Make sure it exists and that its name is spelled "
             "correctly.   (3011)"},
        {{"--relative", "--population-db", small, "--population-table", "Broken"},
         small + ": Too few parameters. Expected 1.   (3061)"},
        {{"--analysis", "smr", "--population-db", dir.path("none.mdb")},
         "Could not find file '" + dir.path("none.mdb") + "'.   (3024)"},
        {{"--relative", "--male", "3"}, "--male \"3\" is no sex code of the valid cases (\"1\", \"2\")"},
    };
    for (const auto& [arguments, message] : failures) {
        const ProgramRun run = RunTiny(arguments);
        EXPECT_EQ(run.exitCode, 2) << message;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "kalderon-batch: " + message + "\n");
    }

    ProgramRun run = Run({"data/examples/tiny.txt", "--relative"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("relative survival needs the sex and the date of birth"), std::string::npos) << run.err;

    // A table of the small fixture database loads and is used.
    run = RunTiny({"--relative", "--male", "1", "--population-db", small, "--population-table", "Gaps"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find(":  Gaps\r\n"), std::string::npos);
}

}  // namespace
}  // namespace kalderon
