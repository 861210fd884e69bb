#include <QImage>
#include <QtTest>

#include "analysis/ui/ObservationPeriodDiagram.h"

namespace kalderon::testing {

// The diagram drawn into an image, checked pixel by pixel.
class ObservationPeriodDiagramTest : public QObject {
    Q_OBJECT

    static DateValue Ymd(int year, int month, int day) { return DateValue::FromYmd(year, month, day); }

    static int TextHeight()
    {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(10);
        return QFontMetrics(font).height();
    }
    static int TextWidth()
    {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(10);
        return QFontMetrics(font).horizontalAdvance(QStringLiteral("88.88.8888"));
    }

    // A diagram 200 pixels high between top and axis.
    struct Drawn {
        QImage image;
        int axisY, x0, x1;
    };
    static Drawn Draw(ObservationPeriodDiagram& diagram, int width = 500)
    {
        const int height = 10 + 200 + TextHeight() * 3 / 2;
        diagram.resize(width, height);
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::gray);
        diagram.render(&image);
        const int margin = TextWidth() / 2 + 2;
        return {image, height - TextHeight() * 3 / 2, margin, width - margin};
    }

    static CAnalysisData Window(DateValue begin, DateValue end)
    {
        CAnalysisData data;
        data.windowBegin = data.periodBegin = begin;
        data.windowEnd = data.periodEnd = end;
        return data;
    }

    // Cases that all begin at `begin`, case k ending k + 1 days later.
    static std::vector<CCaseRecord> Cases(int count, DateValue begin)
    {
        std::vector<CCaseRecord> cases;
        for (int k = 0; k < count; ++k) {
            ImportedRecordValues v;
            v.caseNumber = k + 1;
            v.beginDate = begin;
            v.endDate = DateValue::FromSerial(begin.serial() + k + 1);
            v.statusText = "1";
            cases.push_back(BuildCase(v, false));
        }
        return cases;
    }

    static bool Black(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(0, 0, 0); }
    static bool White(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(255, 255, 255); }
    static bool Yellow(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(255, 255, 0); }

    // The last black pixel of a row from x0 on, or x0 - 1.
    static int LineEnd(const Drawn& d, int y)
    {
        int x = d.x0;
        while (x < d.image.width() && Black(d.image, x, y)) ++x;
        return x - 1;
    }

private slots:
    void EveryTenthOfAThousandCases()
    {
        CAnalysisData data = Window(Ymd(2000, 1, 1), Ymd(2002, 9, 27));  // 1000 days
        const std::vector<CCaseRecord> cases = Cases(1000, data.windowBegin);
        ObservationPeriodDiagram diagram(&data, &cases, 0);
        const Drawn d = Draw(diagram);
        const int w = d.x1 - d.x0;
        for (int i = 0; i < 100; ++i) {
            const int y = 10 + 2 * i;
            const int k = 10 * i;  // the case of line i, ending k + 1 days after the window begin
            const int xEnd = d.x0 + (k + 1) * w / 1000;
            if (xEnd > d.x0) QCOMPARE(LineEnd(d, y), xEnd - 1);
            QVERIFY(White(d.image, xEnd, y));
            QVERIFY(White(d.image, d.x0, y + 1));
        }
        QVERIFY(White(d.image, d.x0, 210 - 1));
        QVERIFY(White(d.image, d.x0 - 1, 10));
    }

    void TwentyCasesWithAWiderStep()
    {
        CAnalysisData data = Window(Ymd(2000, 1, 1), Ymd(2000, 1, 21));  // 20 days
        const std::vector<CCaseRecord> cases = Cases(20, data.windowBegin);
        ObservationPeriodDiagram diagram(&data, &cases, 0);
        const Drawn d = Draw(diagram);
        // F = 63 grows by 21 while it is at most 200: a step of 9 pixels.
        const int w = d.x1 - d.x0;
        for (int k = 0; k < 20; ++k) {
            const int y = 10 + 9 * k;
            QCOMPARE(LineEnd(d, y), d.x0 + (k + 1) * w / 20 - 1);
            for (int gap = 1; gap < 9; ++gap) QVERIFY(White(d.image, d.x0, y + gap));
        }
        QVERIFY(White(d.image, d.x0, 10 + 9 * 20));
    }

    void AxisTicksAndYearlyTicks()
    {
        CAnalysisData shortWindow = Window(Ymd(2000, 1, 1), Ymd(2000, 12, 30));
        ObservationPeriodDiagram diagram(&shortWindow, nullptr, 0);
        Drawn d = Draw(diagram);
        for (int x = d.x0; x < d.x1; ++x) QVERIFY(Black(d.image, x, d.axisY));
        QVERIFY(White(d.image, d.x1 + 1, d.axisY));  // the tick at x1 starts on the axis
        for (int y = d.axisY; y < d.axisY + 5; ++y) {
            QVERIFY(Black(d.image, d.x0, y));
            QVERIFY(Black(d.image, d.x1, y));
        }
        QVERIFY(White(d.image, d.x0, d.axisY + 5));
        // No yearly tick below the axis between the ends.
        for (int x = d.x0 + 1; x < d.x1; ++x) QVERIFY(White(d.image, x, d.axisY + 2));

        CAnalysisData decade = Window(Ymd(1995, 1, 1), Ymd(2004, 12, 31));  // 3652 days
        ObservationPeriodDiagram yearly(&decade, nullptr, 0);
        d = Draw(yearly);
        const int w = d.x1 - d.x0;
        int ticks = 0;
        for (int x = d.x0 + 1; x < d.x1; ++x) ticks += Black(d.image, x, d.axisY + 2);
        QCOMPARE(ticks, 9);
        QVERIFY(Black(d.image, d.x0 + 365 * w / 3652, d.axisY + 4));  // 01.01.1996
        QVERIFY(Black(d.image, d.x0 + 3287 * w / 3652, d.axisY + 4));  // 01.01.2004
        // The end dates are written below, between the ticks' ends and the bottom.
        int dark = 0;
        for (int y = d.axisY + 5; y < d.image.height(); ++y)
            for (int x = 0; x < d.x0 * 2; ++x) dark += qGray(d.image.pixel(x, y)) < 128;
        QVERIFY(dark > 20);
    }

    void BandOfThePeriodOfInterest()
    {
        CAnalysisData data = Window(Ymd(2000, 1, 1), Ymd(2000, 12, 31));  // 365 days
        data.periodBegin = Ymd(2000, 4, 1);                                // day 91
        data.periodEnd = Ymd(2000, 10, 1);                                 // day 274
        ObservationPeriodDiagram period(&data, nullptr, 1);
        Drawn d = Draw(period);
        const int w = d.x1 - d.x0;
        const int left = d.x0 + 91 * w / 365;
        const int right = d.x0 + 274 * w / 365;
        for (int y : {10, 100, d.axisY - 1}) {
            QVERIFY(White(d.image, left - 1, y));
            QVERIFY(Yellow(d.image, left, y));
            QVERIFY(Yellow(d.image, right - 1, y));
            QVERIFY(White(d.image, right, y));
        }
        QVERIFY(White(d.image, left, 9));
        QVERIFY(Black(d.image, left, d.axisY));

        // Life table mode: no band.
        ObservationPeriodDiagram lifeTable(&data, nullptr, 0);
        QVERIFY(White(Draw(lifeTable).image, left, 100));
    }

    void TrendStepMovesThePeriodAndStartsOver()
    {
        CAnalysisData data = Window(Ymd(1995, 1, 1), Ymd(2004, 12, 31));  // 3652 days
        data.periodWidth = 5;
        ObservationPeriodDiagram trend(&data, nullptr, 2);
        QVERIFY(!trend.animating());
        Drawn d = Draw(trend);
        QVERIFY(trend.animating());  // the first paint starts the timer
        const int w = d.x1 - d.x0;
        QVERIFY(Yellow(d.image, d.x0, 100));
        QVERIFY(Yellow(d.image, d.x0 + 1825 * w / 3652 - 1, 100));  // 5 x 365 days
        QVERIFY(White(d.image, d.x0 + 1825 * w / 3652, 100));

        trend.StepAnimation();
        QCOMPARE(data.periodBegin, Ymd(1996, 1, 1));
        QCOMPARE(data.periodEnd, Ymd(2001, 1, 1));
        d = Draw(trend);
        const int left = d.x0 + 365 * w / 3652;
        QVERIFY(White(d.image, left - 1, 100));
        QVERIFY(Yellow(d.image, left, 100));

        for (int step = 0; step < 3; ++step) trend.StepAnimation();
        QCOMPARE(data.periodBegin, Ymd(1999, 1, 1));
        trend.StepAnimation();  // would end on 01.01.2005
        QCOMPARE(data.periodBegin, Ymd(1995, 1, 1));
        QCOMPARE(data.periodEnd, Ymd(2000, 1, 1));
        trend.StopAnimation();
        QVERIFY(!trend.animating());
    }

    void WindowOfNoDaysAndNoRecord()
    {
        CAnalysisData data = Window(Ymd(2000, 5, 5), Ymd(2000, 5, 5));
        const std::vector<CCaseRecord> cases = Cases(3, data.windowBegin);
        for (std::int32_t mode : {0, 1, 2, 3, 4}) {
            ObservationPeriodDiagram diagram(&data, &cases, mode);
            const Drawn d = Draw(diagram);
            QVERIFY(Black(d.image, d.x0, d.axisY));
            QVERIFY(White(d.image, d.x0 + 1, 10));
        }
        ObservationPeriodDiagram empty(nullptr, nullptr, 1);
        const Drawn d = Draw(empty);
        QVERIFY(Black(d.image, d.x0, d.axisY));
        QVERIFY(White(d.image, d.x0 + 5, 100));
        for (int y = d.axisY + 5; y < d.image.height(); ++y)
            for (int x = 0; x < d.image.width(); ++x) QVERIFY(White(d.image, x, y));
    }
};

}  // namespace kalderon::testing

QTEST_MAIN(kalderon::testing::ObservationPeriodDiagramTest)
#include "ObservationPeriodDiagramTest.moc"
