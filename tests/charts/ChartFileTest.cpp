#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "charts/ByteStream.h"
#include "charts/ChartFile.h"
#include "charts/ChartProfile.h"
#include "charts/LifeTableChart.h"
#include "charts/ChartFixtures.h"
#include "support/TempDir.h"

namespace kalderon {
namespace {

using testing::LifeTableAnalysis;
using testing::ReadBytes;
using testing::ProductLimitAnalysis;
using testing::TimePoint;

class ChartFileTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return dir_.path(name); }
    testing::TempDir dir_;
};

// A chart whose analysis fills every stored field.
LifeTableChart FullChart()
{
    CAnalysisData analysis = LifeTableAnalysis(2);
    analysis.sexCodes = {"m", "w"};
    analysis.sexCodeFirst = "m";
    analysis.relativeSurvival = 1;
    analysis.maxRelativeUpper = 1.07;
    analysis.firstBeginDate = DateValue::FromYmd(1990, 1, 2);
    analysis.lastEndDate = DateValue::FromYmd(2004, 12, 31);
    analysis.periodBegin = DateValue::FromYmd(2000, 1, 1);
    for (CGroupResult& g : analysis.groupResults) {
        g.info.label = "label " + g.info.code;
        g.countsAll = {{10, 1, 2}, {7, 0, 1}};
        g.countsAtPeriodBegin = {{3, 0, 0}};
        g.countsAtPeriodEnd = {{5, 1, 1}, {2, 2, 0}};
        g.timePoints = {TimePoint(10, true, 0.9, 0.7, 1.0), TimePoint(12, false), TimePoint(40, true, 0.6)};
        g.expectedInterval = {0.99, 0.98};
        g.expectedCumulative = {0.99, 0.9702};
        g.intervalTable.maxObservationDays = 900;
        g.intervalTable.rows[1].reserved = 3.5;
    }
    MemoryChartProfile profile;
    LifeTableChart chart;
    chart.InitFromAnalysis(analysis, kChartLifeTable, 0, profile);
    chart.timeAxis.areaRect = {59, 547, 797, 600};
    chart.legend.areaRect = {1, 2, 3, 4};
    return chart;
}

TEST_F(ChartFileTest, LayoutOfAnEmptyChart)
{
    const LifeTableChart empty;
    const std::string bytes = SerializeChart(empty);
    // Signatures, title, axes, kind and counts, analysis and legend records.
    EXPECT_EQ(bytes.size(), 26u + 4 + 72 + 2 * 200 + 16 + 120 + 112 + 26);
    EXPECT_EQ(bytes.substr(0, 26), std::string("\x16\0\0\0LifeTableChartFile_1_0", 26));
    EXPECT_EQ(bytes.substr(bytes.size() - 26), bytes.substr(0, 26));

    std::int32_t weight = 0;
    std::memcpy(&weight, bytes.data() + 30 + 16, 4);  // lfWeight of the title font
    EXPECT_EQ(weight, 700);
    EXPECT_EQ(std::string(bytes.data() + 30 + 28, 6), std::string("Arial\0", 6));
    float divisor = 0;
    std::memcpy(&divisor, bytes.data() + 30 + 68, 4);
    EXPECT_EQ(divisor, 28.0f);

    std::int32_t isVertical = -1;
    std::memcpy(&isVertical, bytes.data() + 102 + 200, 4);  // the survival axis record
    EXPECT_EQ(isVertical, 1);
}

TEST_F(ChartFileTest, WrittenReadAndWrittenAgainIsByteIdentical)
{
    LifeTableChart chart = FullChart();
    const std::string first = Path("survival.cht");
    ASSERT_TRUE(WriteChartFile(chart, first));
    EXPECT_EQ(chart.modifiedFlag, 0);

    LifeTableChart reopened;
    ASSERT_EQ(OpenChartFile(first, reopened), ChartFileStatus::kOk);
    EXPECT_EQ(reopened.chartPath, first);
    EXPECT_EQ(reopened.modifiedFlag, 0);
    EXPECT_EQ(reopened.titleText, chart.titleText);
    EXPECT_EQ(reopened.timeAxis, chart.timeAxis);
    EXPECT_EQ(reopened.survivalAxis, chart.survivalAxis);
    EXPECT_EQ(reopened.legend, chart.legend);
    EXPECT_EQ(reopened.seriesStyles, chart.seriesStyles);
    EXPECT_EQ(reopened.analysis.groupResults[1].info.label, "label B");
    EXPECT_EQ(reopened.analysis.groupResults[1].countsAtPeriodEnd, chart.analysis.groupResults[1].countsAtPeriodEnd);
    EXPECT_EQ(reopened.analysis.groupResults[0].intervalTable.rows[1].reserved, 3.5);
    EXPECT_EQ(reopened.analysis.firstBeginDate, chart.analysis.firstBeginDate);

    const std::string second = Path("again.cht");
    ASSERT_TRUE(WriteChartFile(reopened, second));
    EXPECT_EQ(ReadBytes(first), ReadBytes(second));

    // The numbers-at-risk switch is no part of the file.
    reopened.showNumbersAtRisk = true;
    EXPECT_EQ(SerializeChart(reopened), ReadBytes(first));
}

TEST_F(ChartFileTest, ProductLimitRowsKeepWhetherTheyAreEvents)
{
    MemoryChartProfile profile;
    CAnalysisData analysis = ProductLimitAnalysis();
    analysis.statusCodes = {"1", "lost", "0"};
    LifeTableChart chart;
    chart.InitFromAnalysis(analysis, kChartProductLimit, 0, profile);
    const std::string path = Path("km.cht");
    ASSERT_TRUE(WriteChartFile(chart, path));

    LifeTableChart reopened;
    ASSERT_EQ(OpenChartFile(path, reopened), ChartFileStatus::kOk);
    const auto& rows = reopened.analysis.groupResults[0].timePoints;
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].statusText, "1");
    EXPECT_EQ(rows[1].statusText, "lost");
    EXPECT_EQ(rows[2].statusText, "1");
    EXPECT_NE(rows[3].statusText, reopened.analysis.eventCode);

    // An empty event code: censored rows still differ from it.
    chart.analysis.eventCode.clear();
    chart.analysis.statusCodes = {""};
    chart.analysis.groupResults[0].timePoints[0].statusText = "";
    ASSERT_TRUE(WriteChartFile(chart, path));
    ASSERT_EQ(OpenChartFile(path, reopened), ChartFileStatus::kOk);
    EXPECT_EQ(reopened.analysis.groupResults[0].timePoints[0].statusText, "");
    EXPECT_NE(reopened.analysis.groupResults[0].timePoints[1].statusText, "");
}

TEST_F(ChartFileTest, AChartOfManyRowsIsWrittenInPiecesAsItIsSerialized)
{
    MemoryChartProfile profile;
    CAnalysisData analysis = ProductLimitAnalysis();
    auto& rows = analysis.groupResults[0].timePoints;
    for (int day = 600; rows.size() < 40000; ++day) rows.push_back(TimePoint(day, day % 3 == 0, 0.5 - day * 1e-6));
    LifeTableChart chart;
    chart.InitFromAnalysis(analysis, kChartProductLimit, 0, profile);
    const std::string whole = SerializeChart(chart);
    ASSERT_GT(whole.size(), size_t(3) << 20);

    std::vector<size_t> pieces;
    std::string joined;
    SerializeChart(chart, [&](std::string_view piece) {
        pieces.push_back(piece.size());
        joined += piece;
    });
    EXPECT_EQ(joined, whole);
    EXPECT_GE(pieces.size(), 3u);
    for (size_t size : pieces) EXPECT_LT(size, size_t(2) << 20);

    const std::string path = Path("many.cht");
    ASSERT_TRUE(WriteChartFile(chart, path));
    EXPECT_EQ(ReadBytes(path), whole);
    LifeTableChart reopened;
    ASSERT_EQ(OpenChartFile(path, reopened), ChartFileStatus::kOk);
    EXPECT_EQ(reopened.analysis.groupResults[0].timePoints.size(), 40000u);
}

TEST_F(ChartFileTest, SavingTwiceKeepsThePreviousVersionAsBackup)
{
    LifeTableChart chart = FullChart();
    const std::string path = Path("survival.cht");
    ASSERT_TRUE(WriteChartFile(chart, path));
    const std::string before = ReadBytes(path);
    chart.titleText = "second version";
    ASSERT_TRUE(WriteChartFile(chart, path));
    EXPECT_EQ(ReadBytes(path + ".BAK"), before);
    EXPECT_EQ(ReadBytes(path), SerializeChart(chart));

    chart.modifiedFlag = 1;
    EXPECT_FALSE(WriteChartFile(chart, Path("missing/dir/x.cht")));
    EXPECT_EQ(chart.modifiedFlag, 1);

    // A save that fails part-way (the file may not grow past a few bytes, as
    // on a full disk) keeps the old file and a complete backup.
    const std::string saved = ReadBytes(path);
    chart.titleText = "third version, never written";
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{64, 64};
        setrlimit(RLIMIT_FSIZE, &small);
        _exit(WriteChartFile(chart, path) ? 1 : 0);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadBytes(path), saved);
    EXPECT_EQ(ReadBytes(path + ".BAK"), saved);
}

TEST_F(ChartFileTest, ZeroSeriesAndNullDatesReadBack)
{
    CAnalysisData analysis = LifeTableAnalysis(1);
    analysis.groupResults[0].info.recordsRead = 0;
    MemoryChartProfile profile;
    LifeTableChart chart;
    chart.InitFromAnalysis(analysis, kChartLifeTable, 0, profile);
    ASSERT_EQ(chart.seriesCount, 0);
    chart.analysis.closingDate = DateValue::Null();
    const std::string path = Path("zero.cht");
    ASSERT_TRUE(WriteChartFile(chart, path));

    LifeTableChart reopened;
    ASSERT_EQ(OpenChartFile(path, reopened), ChartFileStatus::kOk);
    EXPECT_EQ(reopened.seriesCount, 0);
    EXPECT_TRUE(reopened.seriesStyles.empty());
    EXPECT_TRUE(reopened.analysis.closingDate.isValid());
    EXPECT_EQ(reopened.analysis.closingDate.serial(), 0.0);
}

TEST_F(ChartFileTest, UnreadableFilesGiveTheirMessages)
{
    LifeTableChart chart = FullChart();
    const std::string path = Path("survival.cht");
    ASSERT_TRUE(WriteChartFile(chart, path));
    const std::string bytes = ReadBytes(path);

    LifeTableChart target;
    target.titleText = "unchanged";
    EXPECT_EQ(OpenChartFile(Path("nothing.cht"), target), ChartFileStatus::kCannotOpen);
    EXPECT_EQ(ChartFileMessage(ChartFileStatus::kCannotOpen, Path("nothing.cht")),
              "Could not open file " + Path("nothing.cht") + ".");

    dir_.Write("text.cht", "Begin;End;Status\n01.01.2000;01.01.2001;1\n");
    EXPECT_EQ(OpenChartFile(Path("text.cht"), target), ChartFileStatus::kNotAChartFile);
    EXPECT_EQ(ChartFileMessage(ChartFileStatus::kNotAChartFile, Path("text.cht")),
              "File " + Path("text.cht") + " is not a Life Table Chart File!");

    // Cut off anywhere after the signature.
    for (std::size_t size : {std::size_t{26}, std::size_t{300}, bytes.size() / 2, bytes.size() - 1}) {
        dir_.Write("cut.cht", bytes.substr(0, size));
        EXPECT_EQ(OpenChartFile(Path("cut.cht"), target), ChartFileStatus::kWrongFormat) << size;
    }
    EXPECT_EQ(ChartFileMessage(ChartFileStatus::kWrongFormat, "cut.cht"),
              "File " + FullPath("cut.cht") + " has a wrong file format!");
    EXPECT_EQ(target.titleText, "unchanged");
}

// Bytes of a chart with one value replaced.
std::string Patched(std::string bytes, std::size_t offset, std::int32_t value)
{
    std::memcpy(bytes.data() + offset, &value, 4);
    return bytes;
}

std::string Patched(std::string bytes, std::size_t offset, double value)
{
    std::memcpy(bytes.data() + offset, &value, 8);
    return bytes;
}

std::int32_t Int32At(const std::string& bytes, std::size_t offset)
{
    std::int32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

double DoubleAt(const std::string& bytes, std::size_t offset)
{
    double value = 0;
    std::memcpy(&value, bytes.data() + offset, 8);
    return value;
}

TEST_F(ChartFileTest, DamagedCountsAndUndrawableValuesAreRejected)
{
    LifeTableChart chart = FullChart();
    const std::string bytes = SerializeChart(chart);
    LifeTableChart target;
    ASSERT_EQ(ParseChartFile(bytes, target), ChartFileStatus::kOk);

    // Offsets inside the time axis record.
    const std::size_t timeAxis = 26 + 4 + chart.titleText.size() + 72;
    const std::size_t range = timeAxis + 4 + 4 + chart.timeAxis.registryKey.size() + 4 +
                              chart.timeAxis.labelText.size() + 4 + 16;
    ASSERT_EQ(DoubleAt(bytes, range + 8), chart.timeAxis.maxValue);
    EXPECT_EQ(ParseChartFile(Patched(bytes, range + 16, 0.0), target), ChartFileStatus::kWrongFormat);   // step 0
    EXPECT_EQ(ParseChartFile(Patched(bytes, range + 16, -1.0), target), ChartFileStatus::kWrongFormat);  // step < 0
    EXPECT_EQ(ParseChartFile(Patched(bytes, range + 8, 0.0), target), ChartFileStatus::kWrongFormat);    // max = min
    EXPECT_EQ(ParseChartFile(Patched(bytes, range + 16, 1e-9), target), ChartFileStatus::kWrongFormat);  // endless ticks
    const double thousandthOfRange = (chart.timeAxis.maxValue - chart.timeAxis.minValue) / 1000.0;
    EXPECT_EQ(ParseChartFile(Patched(bytes, range + 16, thousandthOfRange), target), ChartFileStatus::kOk);
    EXPECT_EQ(ParseChartFile(Patched(bytes, range + 16, thousandthOfRange * 0.999), target),
              ChartFileStatus::kWrongFormat);

    // Series count and number of style records.
    const std::size_t survivalAxis = range + 24 + 4 + 120 + 20;
    const std::size_t kind = survivalAxis + 4 + 4 + chart.survivalAxis.registryKey.size() + 4 +
                             chart.survivalAxis.labelText.size() + 4 + 16 + 24 + 4 + 120 + 20;
    const std::size_t styleCount = kind + 8 + 4 + chart.registrySection.size();
    ASSERT_EQ(Int32At(bytes, kind + 4), 2);
    ASSERT_EQ(Int32At(bytes, styleCount), 2);
    EXPECT_EQ(ParseChartFile(Patched(bytes, kind + 4, std::int32_t{3}), target), ChartFileStatus::kWrongFormat);
    EXPECT_EQ(ParseChartFile(Patched(bytes, styleCount, std::int32_t{1}), target), ChartFileStatus::kWrongFormat);
    EXPECT_EQ(ParseChartFile(Patched(bytes, styleCount, std::int32_t{0x7FFFFFFF}), target),
              ChartFileStatus::kWrongFormat);
    EXPECT_EQ(ParseChartFile(Patched(bytes, styleCount, std::int32_t{-2}), target), ChartFileStatus::kWrongFormat);

    // More series than groups.
    std::string moreSeries = SerializeChart([&] {
        LifeTableChart c = chart;
        c.seriesCount = 3;
        c.seriesStyles.push_back({});
        return c;
    }());
    EXPECT_EQ(ParseChartFile(moreSeries, target), ChartFileStatus::kWrongFormat);

    // A string count beyond the end of the file.
    EXPECT_EQ(ParseChartFile(Patched(bytes, 26, std::int32_t{1 << 30}), target), ChartFileStatus::kWrongFormat);
}

}  // namespace
}  // namespace kalderon
