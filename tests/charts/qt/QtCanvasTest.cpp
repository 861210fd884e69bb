#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdint>
#include <limits>

#include "charts/qt/ImageApplication.h"
#include "charts/qt/QtCanvas.h"
#include "common/qt/DisplayText.h"

namespace kalderon {
namespace {

class QtCanvasTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureImageApplication();
        image_ = QImage(200, 200, QImage::Format_RGB32);
        image_.fill(Qt::white);
    }

    // The bounding box of the pixels that are not white.
    QRect Inked() const
    {
        QRect box;
        for (int y = 0; y < image_.height(); ++y) {
            for (int x = 0; x < image_.width(); ++x) {
                if (image_.pixel(x, y) != qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
            }
        }
        return box;
    }

    QImage image_;
};

TEST_F(QtCanvasTest, LinesLeaveOutTheirEndPoint)
{
    QPainter painter(&image_);
    QtCanvas canvas(painter);
    canvas.SelectPen(kPenSolid, Rgb(0, 0, 0));
    canvas.Line(10, 20, 30, 20);
    painter.end();
    EXPECT_EQ(Inked(), QRect(QPoint(10, 20), QPoint(29, 20)));
}

TEST_F(QtCanvasTest, DottedPenAlternatesThreeUnits)
{
    QPainter painter(&image_);
    QtCanvas canvas(painter);
    canvas.SelectPen(kPenDot, Rgb(0, 0, 255));
    canvas.Line(10, 50, 40, 50);
    painter.end();
    EXPECT_EQ(image_.pixelColor(10, 50), QColor(0, 0, 255));
    EXPECT_EQ(image_.pixelColor(12, 50), QColor(0, 0, 255));
    EXPECT_EQ(image_.pixelColor(13, 50), QColor(Qt::white));
    EXPECT_EQ(image_.pixelColor(15, 50), QColor(Qt::white));
    EXPECT_EQ(image_.pixelColor(16, 50), QColor(0, 0, 255));
}

TEST_F(QtCanvasTest, ShapesStayInsideTheirBoxWithoutRightAndBottomEdges)
{
    QPainter painter(&image_);
    QtCanvas canvas(painter);
    canvas.SelectPen(kPenSolid, Rgb(0, 0, 0));
    canvas.SelectBrush(Rgb(255, 0, 0));
    canvas.Rectangle({10, 10, 20, 20});
    painter.end();
    EXPECT_EQ(Inked(), QRect(QPoint(10, 10), QPoint(19, 19)));
    EXPECT_EQ(image_.pixelColor(15, 15), QColor(255, 0, 0));

    image_.fill(Qt::white);
    painter.begin(&image_);
    QtCanvas circle(painter);
    circle.SelectPen(kPenSolid, Rgb(0, 0, 0));
    circle.SelectBrush(Rgb(0, 255, 0));
    circle.Ellipse({50, 50, 70, 70});
    painter.end();
    EXPECT_TRUE(QRect(QPoint(50, 50), QPoint(69, 69)).contains(Inked()));
    EXPECT_EQ(image_.pixelColor(60, 60), QColor(0, 255, 0));
}

TEST_F(QtCanvasTest, FontHeightsAndRotatedText)
{
    QPainter painter(&image_);
    QtCanvas canvas(painter);
    canvas.SelectFont(LogFont::Make(-20, 400, "Arial"));
    const ChartSize line = canvas.TextExtent("Survival rate");
    EXPECT_GE(line.height, 20);
    EXPECT_LE(line.height, 25);
    EXPECT_GT(line.width, 80);
    EXPECT_EQ(canvas.TextExtent("").height, line.height);
    EXPECT_EQ(FontFromLogFont(LogFont::Make(-20, 700, "Arial")).pixelSize(), 20);
    EXPECT_EQ(FontFromLogFont(LogFont::Make(-20, 700, "Arial")).weight(), QFont::Bold);

    // Escapement 900: the text runs upward from the reference point, its top
    // facing left.
    LogFont rotated = LogFont::Make(-20, 400, "Arial");
    rotated.lfEscapement = 900;
    canvas.SelectFont(rotated);
    canvas.SetTextAlign(kAlignLeft | kAlignTop);
    canvas.TextOut(100, 190, "Survival rate");
    painter.end();
    const QRect ink = Inked();
    EXPECT_GE(ink.left(), 100);
    EXPECT_LE(ink.right(), 100 + line.height);
    EXPECT_LE(ink.bottom(), 190);
    EXPECT_GT(ink.height(), 80);
}

TEST_F(QtCanvasTest, EscapementOfAChartFileIsAnyInteger)
{
    // The lowest integer turns the text by 214748364.8 degrees, that is by
    // 84.8 degrees: it runs downward.
    QPainter painter(&image_);
    QtCanvas canvas(painter);
    LogFont font = LogFont::Make(-20, 400, "Arial");
    font.lfEscapement = std::numeric_limits<std::int32_t>::min();
    canvas.SelectFont(font);
    canvas.SetTextAlign(kAlignLeft | kAlignTop);
    canvas.TextOut(100, 10, "Survival rate");
    painter.end();
    const QRect ink = Inked();
    EXPECT_GT(ink.height(), 80);
    EXPECT_LT(ink.width(), 40);
    EXPECT_GE(ink.top(), 10);
}

TEST(DisplayTextTest, Utf8OrWindows1252)
{
    EXPECT_EQ(DisplayText("\xC3\x9C" "berleben"), QString::fromUtf8("Überleben"));
    EXPECT_EQ(DisplayText("\xDC" "berleben \x80"), QString::fromUtf8("Überleben €"));
}

}  // namespace
}  // namespace kalderon
