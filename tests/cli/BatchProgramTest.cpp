#include <gtest/gtest.h>

#include <algorithm>

#include <QImage>

#include "charts/ChartFile.h"
#include "charts/ChartFileFormat.h"
#include "charts/ChartFixtures.h"
#include "charts/ChartProfile.h"
#include "charts/LifeTableChart.h"
#include "resources/StringTable.h"
#include "support/BatchProgram.h"

namespace kalderon {
namespace {

using testing::BatchProgramTest;
using testing::ProgramRun;
using testing::ReadBytes;

TEST_F(BatchProgramTest, LifeTableOfTheTinyExample)
{
    const std::string csv = dir.path("tiny.csv");
    const ProgramRun run =
        Run({"data/examples/tiny.txt", "--group", "4", "--sex", "5", "--birth", "6", "--csv", csv});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, Expected("tiny-lifetable.txt"));
    EXPECT_EQ(ReadBytes(csv), Expected("tiny-lifetable.csv"));
    // Two status codes and no --event: the choice is named.
    EXPECT_NE(run.err.find("\"1\" is taken as the event"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--event"), std::string::npos);

    // The same report into a file; with --event there is nothing to say.
    const std::string report = dir.path("report.txt");
    const ProgramRun toFile =
        Run({"data/examples/tiny.txt", "--group", "4", "--sex", "5", "--birth", "6", "--event", "1", "--report", report});
    ASSERT_EQ(toFile.exitCode, 0) << toFile.err;
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(toFile.err, "");
    EXPECT_EQ(ReadBytes(report), run.out);
}

TEST_F(BatchProgramTest, TheUsualEventCodeIsTheDefault)
{
    // colrec.txt begins with a living case: of the codes "0" and "1" the
    // event is "1", as --event 1 gives it.
    ProgramRun run = Run({"data/examples/colrec.txt", "--analysis", "productlimit"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "kalderon-batch: status codes \"0\", \"1\": \"1\" is taken as the event; --event CODE "
                       "chooses another\n");
    EXPECT_NE(run.out.find("Coding of event of interest: 1\n"), std::string::npos);
    EXPECT_EQ(Run({"data/examples/colrec.txt", "--analysis", "productlimit", "--event", "1"}).out, run.out);

    // Another coding keeps the first code.
    run = Run({dir.Write("other.txt", "01.01.1990;01.01.1995;2\n01.01.1991;01.01.1992;1\n")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("\"2\" is taken as the event"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("Coding of event of interest: 2\n"), std::string::npos);
}

TEST_F(BatchProgramTest, ParametersReachTheReport)
{
    const ProgramRun run = Run({"data/examples/tiny.txt", "--group", "4", "--no-stratified", "--unit", "month",
                                "--ci", ".99", "--event", "0"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.find("Group "), std::string::npos);
    EXPECT_NE(run.out.find("Coding of event of interest: 0\n"), std::string::npos);
    EXPECT_NE(run.out.find(".99 CI limits"), std::string::npos);
    EXPECT_NE(run.out.find("month entered"), std::string::npos);
    EXPECT_NE(run.out.find("Data records read:\t12\r\n"), std::string::npos);
}

TEST_F(BatchProgramTest, HelpListsEveryOption)
{
    const ProgramRun run = Run({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* option : {"--fixed", "--separator", "--begin", "--end", "--status", "--group", "--sex",
                               "--birth", "--analysis", "--technique", "--period-begin", "--period-end", "--years",
                               "--width", "--event", "--unit", "--ci", "--stratified", "--no-stratified", "--report",
                               "--csv", "--help", "--table", "--separate-dates", "--list-tables", "--list-fields",
                               "--chart", "--png", "--svg", "--size", "--open-chart", "--relative", "--method",
                               "--closing-date", "--population-db", "--population-table", "--male", "--female",
                               "smr"})
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
}

TEST_F(BatchProgramTest, FailuresGiveTheirExitCodes)
{
    // A bad option: one line on standard error, nothing on standard output.
    ProgramRun run = Run({"data/examples/tiny.txt", "--unit", "decade"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;

    run = Run({});
    EXPECT_EQ(run.exitCode, 2);

    // A file that cannot be read.
    const std::string missing = dir.path("missing.txt");
    run = Run({missing});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(missing), std::string::npos) << run.err;

    // No valid case: why the first is not, then the program's own message.
    run = Run({dir.Write("invalid.txt", "begin;end;status\n01.01.2000;01.01.1999;1\n")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "kalderon-batch: None of the 2 cases read is valid: the date of beginning of follow-up does "
                       "not match the date pattern DD.MM.YYYY, the date of end of follow-up does not match the date "
                       "pattern DD.MM.YYYY, as in line 1:\nbegin;end;status\n" +
                           LoadString(500) + "\n");

    // An event code that no valid case carries is analysed, with a note.
    run = Run({"data/examples/tiny.txt", "--event", "7"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.find("\"7\""), std::string::npos) << run.err;

    // A report that cannot be written.
    run = Run({"data/examples/tiny.txt", "--event", "1", "--report", dir.path("no/such/folder/r.txt")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("no/such/folder/r.txt"), std::string::npos) << run.err;
}

TEST_F(BatchProgramTest, FixedColumnFiles)
{
    const std::string file = dir.Write("fixed.txt",
                                       "19950101199607011\r\n"
                                       "19950101200412310\r\n"
                                       "19960701199807011\r\n");
    const ProgramRun run = Run({file, "--fixed", "--begin", "1-8:YYYYMMDD", "--end", "9-16:YYYYMMDD",
                                "--status", "17", "--event", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Data records valid:\t3\r\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("    1     3     0     0        3.0  1.000000"), std::string::npos) << run.out;
}

TEST_F(BatchProgramTest, ChartFileAndPicturesOfTheAnalysis)
{
    const std::string cht = dir.path("rdata.cht"), png = dir.path("rdata.png"), svg = dir.path("rdata.svg");
    ProgramRun run = Run({"data/examples/rdata.txt", "--group", "4", "--event", "1", "--report",
                          dir.path("report.txt"), "--chart", cht, "--png", png, "--svg", svg});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");

    LifeTableChart chart;
    ASSERT_EQ(ParseChartFile(ReadBytes(cht), chart), ChartFileStatus::kOk);
    EXPECT_EQ(chart.chartKind, kChartLifeTable);
    EXPECT_EQ(chart.seriesCount, 4);
    EXPECT_EQ(chart.titleText, "Cumulative survival");
    EXPECT_GT(chart.timeAxis.areaRect.right, 0);  // saved after a drawing
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(800, 600));
    EXPECT_NE(ReadBytes(svg).find("Survival time [years]"), std::string::npos);

    // The saved chart draws the same picture without the data.
    const std::string again = dir.path("again.png");
    run = Run({"--open-chart", cht, "--png", again, "--size", "800x600"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadBytes(again), ReadBytes(png));
    run = Run({"--open-chart", cht, "--png", again, "--size", "400x300"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(QImage(QString::fromStdString(again)).size(), QSize(400, 300));
}

TEST_F(BatchProgramTest, EachAnalysisGetsItsChartKind)
{
    const struct {
        std::vector<std::string> analysis;
        std::int32_t kind;
        const char* title;
        const char* ciPrefix;
    } cases[] = {
        {{"--analysis", "productlimit", "--ci", ".99"}, kChartProductLimit, "Cumulative survival", "99% "},
        {{"--analysis", "period", "--technique", "lifetable"}, kChartPeriodAnalysis, "Cumulative survival", "95% "},
        {{"--analysis", "period", "--technique", "productlimit"}, kChartProductLimit, "Cumulative survival", "95% "},
        {{"--analysis", "trend", "--years", "3"}, kChartTrend, "3-year survival", "95% "},
    };
    const std::string cht = dir.path("chart.cht");
    for (const auto& c : cases) {
        std::vector<std::string> arguments = {"data/examples/rdata.txt", "--group", "4", "--event", "1",
                                              "--report", dir.path("report.txt"), "--chart", cht};
        arguments.insert(arguments.end(), c.analysis.begin(), c.analysis.end());
        const ProgramRun run = Run(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        LifeTableChart chart;
        ASSERT_EQ(ParseChartFile(ReadBytes(cht), chart), ChartFileStatus::kOk) << c.analysis.back();
        EXPECT_EQ(chart.chartKind, c.kind) << c.analysis.back();
        EXPECT_EQ(chart.titleText, c.title);
        EXPECT_EQ(chart.seriesCount, 4);
        EXPECT_EQ(chart.legend.ciPrefix, c.ciPrefix);
    }
}

TEST_F(BatchProgramTest, ChartOptionFailures)
{
    const std::string png = dir.path("x.png");
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"--open-chart", "a.cht"},
             {"data/examples/tiny.txt", "--open-chart", "a.cht", "--png", png},
             {"--open-chart", "a.cht", "--png", png, "--chart", "b.cht"},
             {"data/examples/tiny.txt", "--png", png, "--size", "800"},
             {"data/examples/tiny.txt", "--png", png, "--size", "0x600"},
             {"data/examples/tiny.txt", "--chart", ""}}) {
        const ProgramRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.back();
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }

    const std::string text = dir.Write("text.cht", "24.06.1982;02.10.1989;1\n");
    ProgramRun run = Run({"--open-chart", text, "--png", png});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "File " + text + " is not a Life Table Chart File!\n");

    run = Run({"data/examples/tiny.txt", "--event", "1", "--png", dir.path("no/such/folder/x.png")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("no/such/folder/x.png"), std::string::npos) << run.err;
}

TEST_F(BatchProgramTest, NumbersAtRiskOnProductLimitPictures)
{
    const std::vector<std::string> productLimit = {"data/examples/rdata.txt", "--group", "4", "--event", "1",
                                                   "--analysis", "productlimit", "--report", dir.path("report.txt")};
    const auto run = [&](std::vector<std::string> extra) {
        std::vector<std::string> arguments = productLimit;
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return Run(arguments);
    };
    const std::string png = dir.path("plain.png"), svg = dir.path("plain.svg"), cht = dir.path("plain.cht");
    const std::string tablePng = dir.path("table.png"), tableSvg = dir.path("table.svg");
    ProgramRun done = run({"--png", png, "--svg", svg, "--chart", cht});
    ASSERT_EQ(done.exitCode, 0) << done.err;
    done = run({"--png", tablePng, "--svg", tableSvg, "--risk-table"});
    ASSERT_EQ(done.exitCode, 0) << done.err;
    EXPECT_EQ(done.err, "");
    EXPECT_NE(ReadBytes(tablePng), ReadBytes(png));
    EXPECT_NE(ReadBytes(tableSvg), ReadBytes(svg));
    EXPECT_EQ(QImage(QString::fromStdString(tablePng)).size(), QSize(800, 600));

    // At time 0 every case of a group is at risk: its count is written.
    LifeTableChart chart;
    ASSERT_EQ(ParseChartFile(ReadBytes(cht), chart), ChartFileStatus::kOk);
    const std::string cases = ">" + std::to_string(chart.analysis.groupResults[0].timePoints.size()) + "<";
    EXPECT_EQ(ReadBytes(svg).find(cases), std::string::npos);
    EXPECT_NE(ReadBytes(tableSvg).find(cases), std::string::npos);

    // A saved product-limit chart draws the table too; the switch is no part
    // of the chart file.
    const std::string again = dir.path("again.png");
    done = Run({"--open-chart", cht, "--png", again, "--risk-table"});
    ASSERT_EQ(done.exitCode, 0) << done.err;
    EXPECT_EQ(ReadBytes(again), ReadBytes(tablePng));
    done = Run({"--open-chart", cht, "--png", again});
    ASSERT_EQ(done.exitCode, 0) << done.err;
    EXPECT_EQ(ReadBytes(again), ReadBytes(png));

    // Refused where there is no product-limit picture to draw it on.
    const std::string lifeTableChart = dir.path("lifetable.cht");
    ASSERT_EQ(Run({"data/examples/tiny.txt", "--event", "1", "--chart", lifeTableChart}).exitCode, 0);
    const struct {
        std::vector<std::string> arguments;
        std::string error;
    } refused[] = {
        {{"data/examples/tiny.txt", "--analysis", "productlimit", "--chart", cht, "--risk-table"},
         "--risk-table needs --png or --svg"},
        {{"data/examples/tiny.txt", "--png", png, "--risk-table"},
         "--risk-table needs a product-limit chart (--analysis productlimit, or period with --technique "
         "productlimit)"},
        {{"data/examples/tiny.txt", "--analysis", "period", "--svg", svg, "--risk-table"},
         "--risk-table needs a product-limit chart (--analysis productlimit, or period with --technique "
         "productlimit)"},
        {{"--open-chart", lifeTableChart, "--png", png, "--risk-table"},
         "--risk-table needs a product-limit chart: " + lifeTableChart},
    };
    for (const auto& r : refused) {
        const ProgramRun failed = Run(r.arguments);
        EXPECT_EQ(failed.exitCode, 2) << r.error;
        EXPECT_EQ(failed.out, "");
        EXPECT_EQ(failed.err.rfind("kalderon-batch: " + r.error, 0), 0u) << failed.err;
        EXPECT_EQ(std::count(failed.err.begin(), failed.err.end(), '\n'), 1) << failed.err;
    }
    done = Run({"data/examples/tiny.txt", "--analysis", "period", "--technique", "productlimit", "--event", "1",
                "--report", dir.path("report.txt"), "--png", png, "--risk-table"});
    EXPECT_EQ(done.exitCode, 0) << done.err;
    EXPECT_NE(Run({"--help"}).out.find("--risk-table"), std::string::npos);
}

// A damaged chart file whose product-limit curve has 100,000 censored
// rows: its SVG is written as it is drawn, within a quarter of a gigabyte of
// address space; a picture that does not fit there ends in the message and
// status 2 that every run out of memory gives.
TEST_F(BatchProgramTest, DrawingWithinALimitedAddressSpace)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit";
#endif
    constexpr long kLimitKb = 256 * 1024;
    constexpr int kCensored = 100000;
    CAnalysisData analysis = testing::ProductLimitAnalysis();
    std::vector<CTimePointResult>& rows = analysis.groupResults[0].timePoints;
    const CTimePointResult censored = rows[1];
    for (int i = 0; i < kCensored; ++i) {
        rows.push_back(censored);
        rows.back().survivalDays = 500 + i / 100;
    }
    const MemoryChartProfile profile;
    LifeTableChart chart;
    chart.InitFromAnalysis(analysis, kChartProductLimit, 5, profile);
    const std::string cht = dir.path("censored.cht"), svg = dir.path("censored.svg"), png = dir.path("huge.png");
    ASSERT_TRUE(WriteChartFile(chart, cht));

    ProgramRun run = RunBatchProgram(dir, {"--open-chart", cht, "--svg", svg}, kLimitKb);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string picture = ReadBytes(svg);
    EXPECT_GT(picture.size(), kCensored * 50u);
    EXPECT_TRUE(picture.ends_with("</g>\n</svg>\n"));

    run = RunBatchProgram(dir, {"--open-chart", cht, "--png", png, "--size", "20000x20000"}, kLimitKb);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kalderon-batch: " + cht + ": not enough memory for this analysis\n");
}

}  // namespace
}  // namespace kalderon
