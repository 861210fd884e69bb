#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QSvgGenerator>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "charts/ChartFileFormat.h"
#include "charts/ChartProfile.h"
#include "charts/LifeTableChart.h"
#include "charts/ChartFixtures.h"
#include "charts/qt/ChartImage.h"
#include "charts/ChartRenderer.h"
#include "charts/qt/ImageApplication.h"
#include "charts/qt/QtCanvas.h"
#include "charts/qt/StreamedSvg.h"
#include "support/TempDir.h"

namespace kalderon {
namespace {

using testing::LifeTableAnalysis;
using testing::ProductLimitAnalysis;

std::string StoredImage(const std::string& name)
{
    return std::string(KALDERON_SOURCE_DIR) + "/tests/data/charts/" + name;
}

// Share of pixels whose colour differs by more than a quarter in any channel.
double DifferingShare(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) return 1.0;
    long differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 64 || std::abs(qGreen(p) - qGreen(q)) > 64 ||
                std::abs(qBlue(p) - qBlue(q)) > 64) {
                ++differing;
            }
        }
    }
    return static_cast<double>(differing) / (a.width() * a.height());
}

// Compares a rendering with its stored picture; KALDERON_UPDATE_IMAGES=1
// stores the rendering instead.
void ExpectLooksLikeStored(const QImage& image, const std::string& name)
{
    const std::string path = StoredImage(name);
    if (std::getenv("KALDERON_UPDATE_IMAGES")) {
        ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG"));
    }
    QImage stored(QString::fromStdString(path));
    ASSERT_FALSE(stored.isNull()) << path;
    EXPECT_LT(DifferingShare(image.convertToFormat(QImage::Format_RGB32), stored.convertToFormat(QImage::Format_RGB32)),
              0.005)
        << name;
}

LifeTableChart MakeChart(const CAnalysisData& analysis, int kind)
{
    MemoryChartProfile profile;
    LifeTableChart chart;
    chart.InitFromAnalysis(analysis, kind, 5, profile);
    return chart;
}

class ChartImageTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureImageApplication(); }
};

TEST_F(ChartImageTest, LifeTableWithThreeGroupsLooksAsStored)
{
    LifeTableChart chart = MakeChart(LifeTableAnalysis(3), kChartLifeTable);
    chart.legend.legendPosition = kLegendUpperRight;
    const QImage image = RenderChartImage(chart, 640, 480);
    ExpectLooksLikeStored(image, "life-table-3-groups.png");

    // Red curve, green and blue markers and the black axis are there.
    const int x = chart.timeAxis.Map(1);
    const int y = chart.survivalAxis.Map(0.95);
    EXPECT_EQ(image.pixelColor(x, y - 1), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(chart.plotRect.left + 30, chart.plotRect.bottom), QColor(0, 0, 0));
}

TEST_F(ChartImageTest, ProductLimitWithLegendBelowLooksAsStored)
{
    CAnalysisData analysis = ProductLimitAnalysis();
    analysis.groupResults[0].info.code = "men";
    CGroupResult women = analysis.groupResults[0];
    women.info.code = "women";
    for (CTimePointResult& row : women.timePoints) {
        row.survivalDays += 50;
        row.cumulativeSurvival = std::min(1.0, row.cumulativeSurvival + 0.1);
    }
    analysis.groupResults.push_back(women);
    LifeTableChart chart = MakeChart(analysis, kChartProductLimit);
    chart.legend.legendPosition = kLegendBelow;
    ExpectLooksLikeStored(RenderChartImage(chart, 640, 480), "product-limit-legend-below.png");
}

TEST_F(ChartImageTest, SvgHoldsTheTexts)
{
    LifeTableChart chart = MakeChart(LifeTableAnalysis(2), kChartLifeTable);
    const std::string path = (std::filesystem::temp_directory_path() / "kalderon-chart-test.svg").string();
    ASSERT_TRUE(WriteChartSvg(chart, path, 800, 600));
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray svg = file.readAll();
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains("Cumulative survival"));
    EXPECT_TRUE(svg.contains("95% confidence interval"));
    std::filesystem::remove(path);
    EXPECT_FALSE(WriteChartSvg(chart, "/nonexistent-dir/x.svg", 800, 600));
    EXPECT_FALSE(WriteChartPng(chart, "/nonexistent-dir/x.png", 800, 600));
}

// SVG written as it is drawn holds the bytes of the one document
// QSvgGenerator makes, however small its pieces.
TEST_F(ChartImageTest, StreamedSvgIsTheGeneratorsDocument)
{
    for (LifeTableChart chart : {MakeChart(LifeTableAnalysis(3), kChartLifeTable),
                                 MakeChart(ProductLimitAnalysis(), kChartProductLimit)}) {
        const auto draw = [&chart](QPainter& painter) {
            painter.fillRect(QRect(0, 0, 640, 480), Qt::white);
            QtCanvas canvas(painter);
            DrawChart(chart, canvas, WindowSurface(640, 480));
        };
        QByteArray whole;
        QBuffer wholeBuffer(&whole);
        wholeBuffer.open(QIODevice::WriteOnly);
        QSvgGenerator generator;
        generator.setOutputDevice(&wholeBuffer);
        generator.setSize(QSize(640, 480));
        generator.setViewBox(QRect(0, 0, 640, 480));
        generator.setTitle(QStringLiteral("a title"));
        QPainter painter(&generator);
        draw(painter);
        ASSERT_TRUE(painter.end());
        ASSERT_GT(whole.count("<g "), 20);
        for (int callsPerPiece : {1, 2, 7, 100, kSvgCallsPerPiece}) {
            QByteArray streamed;
            QBuffer buffer(&streamed);
            buffer.open(QIODevice::WriteOnly);
            ASSERT_TRUE(PaintSvg(buffer, QSize(640, 480), QStringLiteral("a title"), draw, callsPerPiece));
            EXPECT_EQ(streamed, whole) << callsPerPiece;
        }
    }
}

// Files the fuzzer made: an axis step of 1e-312 that would ask 65,000 tick
// labels of 313 decimals, and survival values of 1e300 beyond the axes.
TEST_F(ChartImageTest, DamagedChartFilesAreRefusedOrDrawnWithinTheirAxes)
{
    LifeTableChart chart;
    EXPECT_EQ(ParseChartFile(testing::ReadBytes(StoredImage("denormal-axis-step.cht")), chart), ChartFileStatus::kWrongFormat);
    ASSERT_EQ(ParseChartFile(testing::ReadBytes(StoredImage("values-far-outside-the-axes.cht")), chart), ChartFileStatus::kOk);
    const QImage image = RenderChartImage(chart, 320, 240);
    EXPECT_EQ(image.size(), QSize(320, 240));
}

}  // namespace
}  // namespace kalderon
