#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "charts/ChartFixtures.h"
#include "charts/ChartMetafile.h"
#include "charts/ChartProfile.h"
#include "charts/ChartRenderer.h"
#include "charts/LifeTableChart.h"
#include "charts/qt/ChartImage.h"
#include "charts/qt/ImageApplication.h"
#include "charts/qt/QtCanvas.h"

namespace kalderon {
namespace {

using testing::LifeTableAnalysis;
using testing::ProductLimitAnalysis;

struct MetafileRecord {
    std::uint32_t words = 0;
    std::uint16_t function = 0;
    std::vector<std::int16_t> parameters;
};

int Word(const std::string& bytes, std::size_t at)
{
    return static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                     (static_cast<std::uint8_t>(bytes[at + 1]) << 8));
}

std::uint32_t Dword(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(Word(bytes, at)) | (static_cast<std::uint32_t>(Word(bytes, at + 2)) << 16);
}

std::vector<MetafileRecord> Records(const std::string& bytes)
{
    std::vector<MetafileRecord> records;
    for (std::size_t at = 18; at + 6 <= bytes.size();) {
        MetafileRecord r;
        r.words = Dword(bytes, at);
        r.function = static_cast<std::uint16_t>(Word(bytes, at + 4));
        if (r.words < 3 || at + 2 * r.words > bytes.size()) break;
        for (std::size_t p = at + 6; p < at + 2 * r.words; p += 2) r.parameters.push_back(Word(bytes, p));
        records.push_back(r);
        at += 2 * r.words;
    }
    return records;
}

LifeTableChart MakeChart(const CAnalysisData& analysis, int kind)
{
    MemoryChartProfile profile;
    LifeTableChart chart;
    chart.InitFromAnalysis(analysis, kind, 5, profile);
    return chart;
}

class ChartMetafileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureImageApplication();
        screen_ = QImage(1, 1, QImage::Format_RGB32);
        painter_.begin(&screen_);
    }
    void TearDown() override { painter_.end(); }

    std::string Metafile(LifeTableChart& chart, int width, int height)
    {
        QtCanvas measuring(painter_);
        return ChartMetafileBytes(chart, measuring, width, height);
    }

    QImage screen_;
    QPainter painter_;
};

TEST_F(ChartMetafileTest, HeaderRecordsAndObjectTableAreConsistent)
{
    LifeTableChart chart = MakeChart(LifeTableAnalysis(3), kChartLifeTable);
    const std::string bytes = Metafile(chart, 800, 600);
    ASSERT_GT(bytes.size(), 18u);
    EXPECT_EQ(Word(bytes, 0), 1);
    EXPECT_EQ(Word(bytes, 2), 9);
    EXPECT_EQ(Word(bytes, 4), 0x0300);
    EXPECT_EQ(Dword(bytes, 6) * 2, bytes.size());

    const std::vector<MetafileRecord> records = Records(bytes);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().function, 0);
    std::uint32_t largest = 0;
    std::set<int> live;
    int mostLive = 0;
    int saved = 0;
    std::map<std::uint16_t, std::vector<std::int16_t>> first;
    for (const MetafileRecord& r : records) {
        largest = std::max(largest, r.words);
        first.try_emplace(r.function, r.parameters);
        switch (r.function) {
        case 0x02FA: case 0x02FB: case 0x02FC: {
            int slot = 0;
            while (live.count(slot)) ++slot;
            live.insert(slot);
            mostLive = std::max(mostLive, static_cast<int>(live.size()));
            break;
        }
        case 0x012D: EXPECT_TRUE(live.count(r.parameters.at(0))) << "selects a slot that holds nothing"; break;
        case 0x01F0: EXPECT_EQ(live.erase(r.parameters.at(0)), 1u); break;
        case 0x001E: ++saved; break;
        case 0x0127: --saved; EXPECT_GE(saved, 0); break;
        default: break;
        }
    }
    EXPECT_EQ(saved, 0);
    EXPECT_EQ(Dword(bytes, 12), largest);
    EXPECT_EQ(Word(bytes, 10), mostLive);
    // The mapping of a window 800 x 600 units large: a picture 2000 x 1500 units.
    EXPECT_EQ(first[0x0103], std::vector<std::int16_t>{8});
    EXPECT_EQ(first[0x020C], (std::vector<std::int16_t>{1500, 2000}));
    EXPECT_EQ(first[0x020E], (std::vector<std::int16_t>{1500, 2000}));
    // The drawing's own areas are those of the 2000-unit picture.
    EXPECT_EQ(chart.timeAxis.areaRect.bottom, 1500);
    EXPECT_EQ(chart.exportMode, 0);
}

// The colour class of a pixel: 1 red, 2 green, 3 blue, 4 black, 0 anything else.
int ColourClass(QRgb p)
{
    if (qAlpha(p) < 128) return 0;
    const int r = qRed(p), g = qGreen(p), b = qBlue(p);
    if (r > 160 && g < 100 && b < 100) return 1;
    if (g > 160 && r < 100 && b < 100) return 2;
    if (b > 160 && r < 100 && g < 100) return 3;
    if (r < 90 && g < 90 && b < 90) return 4;
    return 0;
}

// Share of the pixels of colour class c in `a` that have a pixel of the
// same class in `b` at most `reach` pixels away.
double FoundShare(const QImage& a, const QImage& b, int c, int reach)
{
    long total = 0, found = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (ColourClass(a.pixel(x, y)) != c) continue;
            ++total;
            bool near = false;
            for (int dy = -reach; dy <= reach && !near; ++dy) {
                for (int dx = -reach; dx <= reach && !near; ++dx) {
                    const int u = x + dx, v = y + dy;
                    near = u >= 0 && v >= 0 && u < b.width() && v < b.height() && ColourClass(b.pixel(u, v)) == c;
                }
            }
            found += near;
        }
    }
    return total == 0 ? 1.0 : static_cast<double>(found) / total;
}

struct AxisLines {
    int left = 0, right = 0;
    int top = 0, bottom = 0;
};

// The stretch of black pixels through `through` along a line of n pixels,
// bridging gaps of a few pixels where a text of the player touches it.
template <typename IsBlack>
std::pair<int, int> StretchThrough(int n, int through, IsBlack black)
{
    constexpr int kGap = 5;
    int first = through, last = through;
    for (int i = through, gap = 0; i >= 0 && gap <= kGap; --i) {
        gap = black(i) ? 0 : gap + 1;
        if (gap == 0) first = i;
    }
    for (int i = through, gap = 0; i < n && gap <= kGap; ++i) {
        gap = black(i) ? 0 : gap + 1;
        if (gap == 0) last = i;
    }
    return {first, last};
}

// Where the picture's scale can be read: the time axis (the row with the
// most black pixels, along its stretch through the survival axis) and the
// top of the first series, which starts at survival 1.0 in every chart here.
AxisLines FindAxes(const QImage& image)
{
    std::vector<int> rows(image.height()), columns(image.width());
    int firstRed = image.height();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int c = ColourClass(image.pixel(x, y));
            if (c == 4) ++rows[y], ++columns[x];
            if (c == 1) firstRed = std::min(firstRed, y);
        }
    }
    const int axisY = static_cast<int>(std::max_element(rows.begin(), rows.end()) - rows.begin());
    const int axisX = static_cast<int>(std::max_element(columns.begin(), columns.end()) - columns.begin());
    const auto [left, right] =
        StretchThrough(image.width(), axisX, [&](int x) { return ColourClass(image.pixel(x, axisY)) == 4; });
    return {left, right, firstRed, axisY};
}

// `played` resampled so that its axes lie on those of `direct`: the player
// fits what it thinks the drawing's extent is into its picture.
QImage Registered(const QImage& played, const QImage& direct)
{
    const AxisLines p = FindAxes(played), d = FindAxes(direct);
    QImage out(direct.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    const double sx = static_cast<double>(p.right - p.left) / std::max(1, d.right - d.left);
    const double sy = static_cast<double>(p.bottom - p.top) / std::max(1, d.bottom - d.top);
    for (int v = 0; v < out.height(); ++v) {
        for (int u = 0; u < out.width(); ++u) {
            const int x = p.left + static_cast<int>(std::lround((u - d.left) * sx));
            const int y = p.top + static_cast<int>(std::lround((v - d.top) * sy));
            if (x >= 0 && y >= 0 && x < played.width() && y < played.height()) out.setPixel(u, v, played.pixel(x, y));
        }
    }
    return out;
}

// The chart drawn as the export draws it, but straight onto a picture.
QImage DirectExportDrawing(LifeTableChart& chart, int clientWidth, int clientHeight)
{
    const DrawingSurface surface = ExportSurface(clientWidth, clientHeight);
    QImage image(surface.width, surface.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    chart.exportMode = 1;
    DrawChart(chart, canvas, surface);
    chart.exportMode = 0;
    return image;
}

// The metafile as another program reads it: libwmf's converter to PNG.
QImage DecodedByLibwmf(const std::string& wmfPath, int width, int height)
{
    const QString png = QString::fromStdString(wmfPath) + ".png";
    QProcess converter;
    converter.start("wmf2gd", {QStringLiteral("--maxwidth=%1").arg(width), QStringLiteral("--maxheight=%1").arg(height),
                               "--maxsize", "-o", png, QString::fromStdString(wmfPath)});
    if (!converter.waitForFinished(60000) || converter.exitCode() != 0) return {};
    return QImage(png);
}

TEST_F(ChartMetafileTest, LibwmfDrawsWhatTheChartDrawsDirectly)
{
    QTemporaryDir folder;
    for (const bool productLimit : {false, true}) {
        LifeTableChart chart = productLimit ? MakeChart(ProductLimitAnalysis(), kChartProductLimit)
                                            : MakeChart(LifeTableAnalysis(3), kChartLifeTable);
        const std::string path = folder.filePath(productLimit ? "pl.wmf" : "lt.wmf").toStdString();
        QtCanvas measuring(painter_);
        ASSERT_TRUE(ExportChartMetafile(chart, path, measuring, 800, 600));
        const QImage decoded = DecodedByLibwmf(path, 2000, 1500);
        ASSERT_EQ(decoded.size(), QSize(2000, 1500)) << "wmf2gd could not read " << path;
        const QImage direct = DirectExportDrawing(chart, 800, 600);
        const QImage played = Registered(decoded, direct);
        // Curves, bars, markers and axes lie where the direct drawing has them.
        // The player's own fonts make black texts differ, and it leaves filled
        // circles empty.
        for (int c : {1, 2, 3, 4}) {
            if (productLimit && (c == 2 || c == 3)) continue;
            EXPECT_GT(FoundShare(played, direct, c, 3), c == 4 ? 0.7 : 0.95) << "colour " << c << " of " << path;
            EXPECT_GT(FoundShare(direct, played, c, 3), c == 4 ? 0.7 : 0.85) << "colour " << c << " of " << path;
        }
    }
}

}  // namespace
}  // namespace kalderon
