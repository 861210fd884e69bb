#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "import/PopulationTableLoader.h"
#include "support/ImportFixtures.h"

namespace kalderon {
namespace {

using testing::AccessFixture;

std::string ShippedDatabase(const std::string& name) { return std::string(KALDERON_SOURCE_DIR) + "/data/" + name; }

// The names listed, or none with the fault's message in `error`.
bool ListPopulationTables(const std::string& path, std::vector<std::string>& names, std::string& error)
{
    const ReadResult<std::vector<std::string>> listed = kalderon::ListPopulationTables(path);
    names = listed ? *listed : std::vector<std::string>();
    error = listed ? std::string() : ReaderFaultMessage(listed.fault());
    return listed.ok();
}

// The tables loaded, or none with the fault's message in `error`.
bool LoadPopulationTable(const std::string& path, const std::string& table, std::vector<CPopulationYearTable>& tables,
                         std::string& error, PopulationValues values = PopulationValues::kProbabilities)
{
    const ReadResult<std::vector<CPopulationYearTable>> loaded = kalderon::LoadPopulationTable(path, table, values);
    tables = loaded ? *loaded : std::vector<CPopulationYearTable>();
    error = loaded ? std::string() : ReaderFaultMessage(loaded.fault());
    return loaded.ok();
}

// The value the fixture's formula gives for an age.
double SmallTableMale(int age) { return std::min(0.0005 + 0.0001 * std::pow(1.09, age), 0.5); }

TEST(PopulationTableLoader, ListsTheUserTablesInStoredOrder)
{
    std::vector<std::string> names{"left over"};
    std::string error;
    ASSERT_TRUE(ListPopulationTables(ShippedDatabase("LifeTables.mdb"), names, error)) << error;
    EXPECT_EQ(names, (std::vector<std::string>{"USA 1940-2014", "Slovenia 1930-2020"}));
    ASSERT_TRUE(ListPopulationTables(ShippedDatabase("ReferenceRateTables.mdb"), names, error)) << error;
    EXPECT_EQ(names, (std::vector<std::string>{"USA mortality 1940-2014", "Slovenia mortality 1930-2020"}));
    ASSERT_TRUE(ListPopulationTables(AccessFixture("lifetables_small.mdb"), names, error)) << error;
    EXPECT_EQ(names, (std::vector<std::string>{"TestPop", "Broken", "Gaps"}));
    EXPECT_EQ(error, "");

    EXPECT_FALSE(ListPopulationTables(AccessFixture("no such file.mdb"), names, error));
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(error, "Could not find file '" + AccessFixture("no such file.mdb") + "'.   (3024)\n\n");
}

TEST(PopulationTableLoader, LoadsOneEntryPerYearInAgeOrder)
{
    std::vector<CPopulationYearTable> tables;
    std::string error;
    ASSERT_TRUE(LoadPopulationTable(ShippedDatabase("LifeTables.mdb"), "USA 1940-2014", tables, error)) << error;
    ASSERT_EQ(tables.size(), 75u);
    for (size_t i = 0; i < tables.size(); ++i) {
        EXPECT_EQ(tables[i].year, 1940 + static_cast<int>(i));
        EXPECT_EQ(tables[i].firstSex.size(), 110u);
        EXPECT_EQ(tables[i].secondSex.size(), 110u);
    }
    // lifetables_us.csv: "2000,50,0.00556,0.00322" and "1940,0,0.05238,0.04152".
    EXPECT_DOUBLE_EQ(tables[60].firstSex[50], 0.00556);
    EXPECT_DOUBLE_EQ(tables[60].secondSex[50], 0.00322);
    EXPECT_DOUBLE_EQ(tables[0].firstSex[0], 0.05238);
    EXPECT_DOUBLE_EQ(tables[0].secondSex[0], 0.04152);

    ASSERT_TRUE(LoadPopulationTable(ShippedDatabase("LifeTables.mdb"), "Slovenia 1930-2020", tables, error)) << error;
    ASSERT_EQ(tables.size(), 45u);
    EXPECT_EQ(tables[0].year, 1930);
    EXPECT_EQ(tables[5].year, 1980);
    EXPECT_EQ(tables[6].year, 1982);
    EXPECT_EQ(tables.back().year, 2020);
    for (const CPopulationYearTable& t : tables) EXPECT_EQ(t.firstSex.size(), 104u) << t.year;

    // Reference rates: one entry per five-year age group.
    ASSERT_TRUE(LoadPopulationTable(ShippedDatabase("ReferenceRateTables.mdb"), "USA mortality 1940-2014", tables,
                                    error))
        << error;
    ASSERT_EQ(tables.size(), 75u);
    EXPECT_EQ(tables[0].firstSex.size(), 22u);
}

TEST(PopulationTableLoader, InterleavedYearsComeOutSortedAndUnreadableRowsAreLeftOut)
{
    std::vector<CPopulationYearTable> tables;
    std::string error;
    ASSERT_TRUE(LoadPopulationTable(AccessFixture("lifetables_small.mdb"), "TestPop", tables, error)) << error;
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].year, 1990);
    EXPECT_EQ(tables[1].year, 1998);
    for (const CPopulationYearTable& t : tables) {
        ASSERT_EQ(t.firstSex.size(), 100u);
        ASSERT_EQ(t.secondSex.size(), 100u);
        for (int age : {0, 1, 50, 98, 99}) {
            EXPECT_NEAR(t.firstSex[age], SmallTableMale(age), 1e-12 * SmallTableMale(age)) << age;
            EXPECT_NEAR(t.secondSex[age], 0.8 * SmallTableMale(age), 1e-12 * SmallTableMale(age)) << age;
        }
    }

    // Age 5 has no male value: the row is dropped whole and the later ages
    // move up by one.
    ASSERT_TRUE(LoadPopulationTable(AccessFixture("lifetables_small.mdb"), "Gaps", tables, error)) << error;
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].year, 2000);
    ASSERT_EQ(tables[0].firstSex.size(), 9u);
    ASSERT_EQ(tables[0].secondSex.size(), 9u);
    EXPECT_NEAR(tables[0].firstSex[4], SmallTableMale(4), 1e-15);
    EXPECT_NEAR(tables[0].firstSex[5], SmallTableMale(6), 1e-15);
    EXPECT_NEAR(tables[0].secondSex[5], 0.8 * SmallTableMale(6), 1e-15);
}

TEST(PopulationTableLoader, FailuresLeaveNothingLoaded)
{
    std::vector<CPopulationYearTable> tables;
    std::string error;
    const std::string small = AccessFixture("lifetables_small.mdb");
    ASSERT_TRUE(LoadPopulationTable(small, "TestPop", tables, error));

    // Without Year and Age columns the ordered read fails.
    EXPECT_FALSE(LoadPopulationTable(small, "Broken", tables, error));
    EXPECT_TRUE(tables.empty());
    EXPECT_EQ(error, small + ": Too few parameters. Expected 1.   (3061)\n\n");

    ASSERT_TRUE(LoadPopulationTable(small, "TestPop", tables, error));
    EXPECT_FALSE(LoadPopulationTable(small, "Missing", tables, error));
    EXPECT_TRUE(tables.empty());
    EXPECT_EQ(error, small +
                         ": Could not find the table 'Missing'. Make sure it exists and that its name is spelled "
                         "correctly.   (3011)\n\n");

    EXPECT_FALSE(LoadPopulationTable(AccessFixture("missing.mdb"), "TestPop", tables, error));
    EXPECT_EQ(error, "Could not find file '" + AccessFixture("missing.mdb") + "'.   (3024)\n\n");

    // An empty name loads nothing and succeeds; a missing file still fails.
    ASSERT_TRUE(LoadPopulationTable(small, "TestPop", tables, error));
    EXPECT_TRUE(LoadPopulationTable(small, "", tables, error));
    EXPECT_TRUE(tables.empty());
    EXPECT_FALSE(LoadPopulationTable(AccessFixture("missing.mdb"), "", tables, error));
}

}  // namespace
}  // namespace kalderon

namespace kalderon {
namespace {

TEST(PopulationTableLoader, RefusesTablesWithRowsOutOfBoundsNamingTheRow)
{
    std::vector<CPopulationYearTable> tables;
    std::string error;
    const std::string intMinYear = testing::AccessFixture("population_year_int_min.mdb");
    EXPECT_FALSE(LoadPopulationTable(intMinYear, "TestPop", tables, error));
    EXPECT_TRUE(tables.empty());
    EXPECT_EQ(error, "The table TestPop of " + intMinYear +
                         " cannot be used: in row 1 (ordered by Year and Age) the year -2147483648 is outside 1 to "
                         "9999.");

    const std::string absurdAge = testing::AccessFixture("population_absurd_age.mdb");
    EXPECT_FALSE(LoadPopulationTable(absurdAge, "Gaps", tables, error));
    EXPECT_NE(error.find("the age is outside 0 to 150"), std::string::npos) << error;
    EXPECT_EQ(error.rfind("The table Gaps of " + absurdAge + " cannot be used: in row ", 0), 0u) << error;

    const std::string aboveOne = testing::AccessFixture("population_probability_above_one.mdb");
    EXPECT_FALSE(LoadPopulationTable(aboveOne, "Gaps", tables, error));
    EXPECT_NE(error.find("a probability is outside 0 to 1"), std::string::npos) << error;
    // As rates the same values are sound.
    EXPECT_TRUE(LoadPopulationTable(aboveOne, "Gaps", tables, error, PopulationValues::kRates)) << error;
    EXPECT_EQ(tables.size(), 1u);
}

}  // namespace
}  // namespace kalderon
