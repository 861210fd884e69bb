#include <gtest/gtest.h>

#include "batch/BatchOptions.h"
#include "resources/StringTable.h"

namespace kalderon::batch {
namespace {

CommandLine Parse(std::vector<std::string> arguments) { return ParseCommandLine(arguments); }

TEST(BatchOptionsTest, DefaultsAreTheWizardsAndTheDialogs)
{
    const CommandLine line = Parse({"cases.txt"});
    ASSERT_EQ(line.error, "");
    const BatchOptions& o = line.options;
    EXPECT_EQ(o.inputPath, "cases.txt");
    EXPECT_EQ(o.import.format, TextImportSettings::kFreeFormat);
    EXPECT_EQ(o.import.separator, ";");
    EXPECT_EQ(o.import.beginColumn, 1);
    EXPECT_EQ(o.import.endColumn, 2);
    EXPECT_EQ(o.import.statusColumn, 3);
    EXPECT_FALSE(o.import.useGroup || o.import.useSex || o.import.useBirth);
    EXPECT_EQ(o.import.beginFormat, "DD.MM.YYYY");
    EXPECT_EQ(o.analysis, kLifeTable);
    EXPECT_FALSE(o.eventCode.has_value());
    EXPECT_EQ(o.timeUnit, kUnitYear);
    EXPECT_EQ(o.ciLevelText, ".95");
    EXPECT_FALSE(o.stratified.has_value());
    EXPECT_EQ(o.reportPath, "");
    EXPECT_EQ(o.csvPath, "");
}

TEST(BatchOptionsTest, EveryOptionWithBothValueForms)
{
    const CommandLine line = Parse({"--separator", "tab", "--begin", "2:YYYYMMDD", "--end=3", "--status", "1",
                                    "cases.txt", "--group", "4", "--sex=5", "--birth", "6:DDMMYYYY", "--unit",
                                    "week", "--ci", ".99", "--no-stratified", "--event", "", "--analysis",
                                    "lifetable", "--report", "r.txt", "--csv=c.csv"});
    ASSERT_EQ(line.error, "");
    const BatchOptions& o = line.options;
    EXPECT_EQ(o.inputPath, "cases.txt");
    EXPECT_EQ(o.import.separator, "\t");
    EXPECT_EQ(o.import.beginColumn, 2);
    EXPECT_EQ(o.import.beginFormat, "YYYYMMDD");
    EXPECT_EQ(o.import.endColumn, 3);
    EXPECT_EQ(o.import.endFormat, "DD.MM.YYYY");
    EXPECT_EQ(o.import.statusColumn, 1);
    EXPECT_TRUE(o.import.useGroup && o.import.useSex && o.import.useBirth);
    EXPECT_EQ(o.import.groupColumn, 4);
    EXPECT_EQ(o.import.sexColumn, 5);
    EXPECT_EQ(o.import.birthColumn, 6);
    EXPECT_EQ(o.import.birthFormat, "DDMMYYYY");
    EXPECT_EQ(o.timeUnit, kUnitWeek);
    EXPECT_EQ(o.ciLevelText, ".99");
    EXPECT_EQ(o.stratified, false);
    EXPECT_EQ(o.eventCode, "");  // an empty status is a code like any other
    EXPECT_EQ(o.reportPath, "r.txt");
    EXPECT_EQ(o.csvPath, "c.csv");

    EXPECT_EQ(Parse({"a", "--separator", "comma"}).options.import.separator, ",");
    EXPECT_EQ(Parse({"a", "--separator", "space"}).options.import.separator, " ");
    EXPECT_EQ(Parse({"a", "--separator", "|"}).options.import.separator, "|");
    EXPECT_EQ(Parse({"a", "--stratified"}).options.stratified, true);
    EXPECT_EQ(Parse({"--", "-odd name"}).options.inputPath, "-odd name");
}

TEST(BatchOptionsTest, SurvivalAnalysesAndTheirParameters)
{
    const BatchOptions defaults = Parse({"a", "--analysis", "trend"}).options;
    EXPECT_EQ(defaults.analysis, kTrend);
    EXPECT_EQ(defaults.periodTechnique, kLifeTableTechnique);
    EXPECT_EQ(defaults.survivalYears, 5);
    EXPECT_EQ(defaults.periodWidth, 5);
    EXPECT_EQ(defaults.periodBegin.status(), DateStatus::Null);

    const CommandLine period = Parse({"a", "--analysis=period", "--technique", "productlimit", "--period-begin",
                                      "15.03.1997", "--period-end=20.10.2001"});
    ASSERT_EQ(period.error, "");
    EXPECT_EQ(period.options.analysis, kPeriodAnalysis);
    EXPECT_EQ(period.options.periodTechnique, kProductLimitTechnique);
    EXPECT_EQ(period.options.periodBegin, DateValue::FromYmd(1997, 3, 15));
    EXPECT_EQ(period.options.periodEnd, DateValue::FromYmd(2001, 10, 20));

    const CommandLine trend = Parse({"a", "--analysis", "trend", "--years", "3", "--width=1"});
    ASSERT_EQ(trend.error, "");
    EXPECT_EQ(trend.options.survivalYears, 3);
    EXPECT_EQ(trend.options.periodWidth, 1);
    // n and the width are counts of at least 1.
    for (const char* option : {"--years", "--width"}) {
        for (const char* value : {"0", "-2", "+3", "99999999999"}) {
            const CommandLine refused = Parse({"a", "--analysis", "trend", option, value});
            EXPECT_EQ(refused.error, std::string(option) + " needs a whole number of at least 1: " + value);
        }
    }

    // A same-year pair in reverse order names the year once widened; the
    // widened dates are what is compared.
    const CommandLine reversed = Parse({"a", "--analysis", "period", "--period-begin", "20.10.2001",
                                        "--period-end", "15.03.2001"});
    ASSERT_EQ(reversed.error, "");
    EXPECT_EQ(Parse({"a", "--analysis", "period", "--unit", "month", "--period-begin", "20.10.2001",
                     "--period-end", "15.03.2001"})
                  .error,
              "--period-begin lies after --period-end");
    EXPECT_EQ(Parse({"a", "--analysis", "period", "--unit", "month", "--period-begin", "20.10.2001",
                     "--period-end", "01.10.2001"})
                  .error,
              "");
    EXPECT_EQ(Parse({"a", "--analysis", "productlimit"}).options.analysis, kProductLimit);
}

TEST(BatchOptionsTest, RelativeSurvivalAndSmrOptions)
{
    const std::vector<std::string> columns{"a", "--sex", "5", "--birth", "6"};
    const auto parse = [&](std::vector<std::string> more) {
        more.insert(more.begin(), columns.begin(), columns.end());
        return Parse(more);
    };
    const CommandLine defaults = parse({"--relative"});
    ASSERT_EQ(defaults.error, "");
    const PopulationOptions& d = defaults.options.population;
    EXPECT_TRUE(d.relativeSurvival);
    EXPECT_EQ(d.method, ExpectedSurvivalMethod::kEdererII);
    EXPECT_EQ(d.closingDate.status(), DateStatus::Null);
    EXPECT_EQ(d.databasePath, "");
    EXPECT_EQ(d.tableName, "");
    EXPECT_FALSE(d.sexCode.has_value());

    const CommandLine all = parse({"--relative", "--analysis", "productlimit", "--method", "hakulinen",
                                   "--closing-date", "31.12.2003", "--population-db=x.mdb", "--population-table",
                                   "USA 1940-2014", "--female", "2"});
    ASSERT_EQ(all.error, "");
    const PopulationOptions& p = all.options.population;
    EXPECT_EQ(p.method, ExpectedSurvivalMethod::kHakulinen);
    EXPECT_EQ(p.closingDate, DateValue::FromYmd(2003, 12, 31));
    EXPECT_EQ(p.databasePath, "x.mdb");
    EXPECT_EQ(p.tableName, "USA 1940-2014");
    EXPECT_EQ(p.sexCode, "2");
    EXPECT_TRUE(p.sexCodeIsFemale);

    const CommandLine smr = parse({"--analysis", "smr", "--male", "1", "--population-table", "T"});
    ASSERT_EQ(smr.error, "");
    EXPECT_EQ(smr.options.analysis, kSmrSir);
    EXPECT_FALSE(smr.options.population.sexCodeIsFemale);

    // Options that do not fit the analysis, and the columns both need.
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"--relative", "--method", "ederer"}, "--method takes one of ederer2, hakulinen, pohar-perme: ederer"},
        {{"--method", "hakulinen"}, "--method needs --relative"},
        {{"--relative", "--closing-date", "31.12.2003"}, "--closing-date needs --method hakulinen"},
        {{"--relative", "--method", "hakulinen", "--analysis", "period", "--closing-date", "31.12.2003"},
         "--closing-date applies to --analysis lifetable and productlimit only"},
        {{"--population-table", "T"}, "--population-table needs --relative or --analysis smr"},
        {{"--female", "2"}, "--female needs --relative or --analysis smr"},
        {{"--relative", "--male", "1", "--female", "2"}, "--male and --female exclude each other"},
        {{"--relative", "--analysis", "smr"}, "--relative does not apply to --analysis smr"},
        {{"--analysis", "smr", "--unit", "month"}, "--unit does not apply to --analysis smr"},
        {{"--analysis", "smr", "--svg", "x.svg"}, "--analysis smr has no chart"},
        {{"--relative", "--population-db", ""}, "--population-db needs a file name"},
    };
    for (const auto& [arguments, error] : refused) EXPECT_EQ(parse(arguments).error, error);
    EXPECT_EQ(Parse({"a", "--sex", "5", "--relative"}).error,
              "relative survival needs the sex and the date of birth of every case: give --sex and --birth");
    EXPECT_EQ(Parse({"a", "--birth", "6", "--analysis", "smr"}).error,
              "SMR/SIR needs the sex and the date of birth of every case: give --sex and --birth");
    EXPECT_EQ(Parse({"x.mdb", "--list-tables", "--relative"}).error, "");
}

TEST(BatchOptionsTest, FixedColumnsTakePositions)
{
    const CommandLine line =
        Parse({"--fixed", "x.txt", "--begin", "1-8:YYYYMMDD", "--end", "9-18", "--status", "21", "--sex", "22-23"});
    ASSERT_EQ(line.error, "");
    const TextImportSettings& s = line.options.import;
    EXPECT_EQ(s.format, TextImportSettings::kFixedColumns);
    EXPECT_EQ(s.beginFrom, 1);
    EXPECT_EQ(s.beginTo, 8);
    EXPECT_EQ(s.beginFormat, "YYYYMMDD");
    EXPECT_EQ(s.endFrom, 9);
    EXPECT_EQ(s.endTo, 18);
    EXPECT_EQ(s.statusFrom, 21);
    EXPECT_EQ(s.statusTo, 21);
    EXPECT_TRUE(s.useSex);
    EXPECT_EQ(s.sexFrom, 22);
    EXPECT_EQ(s.sexTo, 23);
    EXPECT_FALSE(s.useGroup);

    EXPECT_NE(Parse({"--fixed", "x.txt", "--begin", "1-8", "--end", "9-18"}).error, "");
    EXPECT_NE(Parse({"--fixed", "x.txt", "--begin", "8-1", "--end", "9-18", "--status", "3"}).error, "");
    EXPECT_NE(Parse({"--fixed", "x.txt", "--begin", "0-1", "--end", "9-18", "--status", "3"}).error, "");
    // Without --fixed a range is no field number.
    EXPECT_NE(Parse({"x.txt", "--begin", "1-8"}).error, "");
}

TEST(BatchOptionsTest, BadCommandLinesGiveAReason)
{
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"a", "b"},
        {"a", "--bogus"},
        {"a", "--unit"},
        {"a", "--unit", "decade"},
        {"a", "--ci", ".90"},
        {"a", "--analysis", "survival"},
        {"a", "--analysis", "period", "--technique", "kaplan"},
        {"a", "--analysis", "period", "--period-begin", "1.1.2000"},
        {"a", "--analysis", "period", "--period-end", "31.02.2000"},
        {"a", "--analysis", "period", "--period-begin", "02.01.2001", "--period-end", "31.12.2000"},
        {"a", "--analysis", "period", "--unit", "day", "--period-begin", "02.01.2000", "--period-end", "01.01.2000"},
        {"a", "--analysis", "trend", "--years", "five"},
        {"a", "--analysis", "trend", "--width", ""},
        {"a", "--period-begin", "01.01.2000"},
        {"a", "--analysis", "trend", "--period-end", "01.01.2000"},
        {"a", "--technique", "productlimit"},
        {"a", "--analysis", "productlimit", "--technique", "lifetable"},
        {"a", "--analysis", "period", "--years", "3"},
        {"a", "--width", "3"},
        {"a", "--separator", ""},
        {"a", "--separator", "ab"},
        {"a", "--status", "0"},
        {"a", "--begin", "x"},
        {"a", "--begin", "-1"},
        {"a", "--status", "3:DD.MM.YYYY"},
        {"a", "--report", ""},
        {"a", "--fixed=1"},
    };
    for (const auto& arguments : bad) {
        const CommandLine line = Parse(arguments);
        EXPECT_NE(line.error, "") << ::testing::PrintToString(arguments);
        EXPECT_EQ(line.error.find('\n'), std::string::npos);
    }
    // A pattern without MM or YYYY is refused with the wizard's message.
    const CommandLine pattern = Parse({"a", "--end", "2:DD-MM-YY"});
    EXPECT_NE(pattern.error.find(LoadString(321)), std::string::npos) << pattern.error;

    EXPECT_TRUE(Parse({"--help"}).helpRequested);
    EXPECT_TRUE(Parse({"a", "-h"}).helpRequested);
}

}  // namespace
}  // namespace kalderon::batch
