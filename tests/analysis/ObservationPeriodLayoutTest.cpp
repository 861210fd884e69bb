#include <gtest/gtest.h>

#include <random>

#include "analysis/ObservationPeriodLayout.h"
#include "support/CaseFactory.h"

namespace kalderon {
namespace {

using testing::MakeCase;
using testing::Ymd;

// 432 by 234 pixels with a text extent of 60 by 16: x0 = 32, x1 = 400,
// top = 10, axis at 234 - 24 = 210, so 200 pixels and 100 rows for cases.
constexpr DiagramArea kArea{0, 0, 432, 234, 60, 16};

CAnalysisData Window(DateValue begin, DateValue end)
{
    CAnalysisData data;
    data.windowBegin = data.periodBegin = begin;
    data.windowEnd = data.periodEnd = end;
    return data;
}

std::vector<CCaseRecord> Cases(int count)
{
    std::vector<CCaseRecord> cases;
    for (int i = 0; i < count; ++i) {
        cases.push_back(MakeCase(i + 1, Ymd(2000, 1, 1), Ymd(2000, 7, 1), "1"));
    }
    return cases;
}

// The drawing walk as a plain loop over every case.
std::vector<size_t> LiteralDrawnPositions(size_t count, const std::vector<CCaseRecord>& cases, int height)
{
    const int rows = height / 2;
    const bool sampled = rows < static_cast<int>(count);
    const int lines = sampled ? rows : static_cast<int>(count);
    const double ratio = sampled ? static_cast<double>(count) / rows : 1.0;
    std::vector<size_t> drawn;
    int i = 0;
    for (size_t k = 0; k < count && i < lines; ++k)
        if (cases[k].isValid && static_cast<double>(k) >= i * ratio) {
            drawn.push_back(k);
            ++i;
        }
    return drawn;
}

TEST(ObservationPeriodLayoutTest, AxisDatesAndYearlyTicks)
{
    const CAnalysisData year = Window(Ymd(2000, 1, 1), Ymd(2000, 12, 31));  // 365 days
    ObservationPeriodLayout layout = LayOutObservationPeriod(kArea, 0, &year, nullptr);
    EXPECT_EQ(layout.top, 10);
    EXPECT_EQ(layout.axisY, 210);
    EXPECT_EQ(layout.x0, 32);
    EXPECT_EQ(layout.x1, 400);
    EXPECT_EQ(layout.labelY, 232);
    EXPECT_EQ(layout.beginText, "01.01.2000");
    EXPECT_EQ(layout.endText, "31.12.2000");
    EXPECT_EQ(layout.tickX, (std::vector<int>{32, 400}));  // shorter than a year: no yearly tick
    EXPECT_FALSE(layout.hasBand);

    const CAnalysisData decade = Window(Ymd(1995, 1, 1), Ymd(2004, 12, 31));  // 3652 days
    layout = LayOutObservationPeriod(kArea, 0, &decade, nullptr);
    ASSERT_EQ(layout.tickX.size(), 11u);  // 01.01.1996 .. 01.01.2004
    EXPECT_EQ(layout.tickX[2], 32 + 365 * 368 / 3652);
    EXPECT_EQ(layout.tickX[10], 32 + 3287 * 368 / 3652);

    // No record: the axis alone.
    layout = LayOutObservationPeriod(kArea, 1, nullptr, nullptr);
    EXPECT_EQ(layout.tickX, (std::vector<int>{32, 400}));
    EXPECT_TRUE(layout.beginText.empty());
    EXPECT_FALSE(layout.hasBand);
}

TEST(ObservationPeriodLayoutTest, BandOfThePeriodOfInterest)
{
    CAnalysisData data = Window(Ymd(2000, 1, 1), Ymd(2000, 12, 31));
    data.periodBegin = Ymd(2000, 7, 1);  // day 182: 182 * 368 / 365 = 183
    data.periodEnd = Ymd(2000, 10, 1);   // day 274: 276
    ObservationPeriodLayout layout = LayOutObservationPeriod(kArea, 1, &data, nullptr);
    EXPECT_TRUE(layout.hasBand);
    EXPECT_EQ(layout.bandLeft, 32 + 183);
    EXPECT_EQ(layout.bandRight, 32 + 276);

    // Trend: the width in units of 30 days for months.
    data.timeUnit = 1;
    data.periodWidth = 2;
    layout = LayOutObservationPeriod(kArea, 2, &data, nullptr);
    EXPECT_EQ(layout.bandLeft, 32 + 183);
    EXPECT_EQ(layout.bandRight, 32 + 183 + 60 * 368 / 365);
    data.timeUnit = 0;
    data.periodWidth = 1;
    EXPECT_EQ(LayOutObservationPeriod(kArea, 2, &data, nullptr).bandRight, 32 + 183 + 368);
}

TEST(ObservationPeriodLayoutTest, EveryTenthOfAThousandCasesAndAllOfTwenty)
{
    const CAnalysisData data = Window(Ymd(2000, 1, 1), Ymd(2000, 12, 31));
    const std::vector<CCaseRecord> thousand = Cases(1000);
    ObservationPeriodLayout layout = LayOutObservationPeriod(kArea, 0, &data, &thousand);
    ASSERT_EQ(layout.caseLines.size(), 100u);
    EXPECT_EQ(layout.lineStep, 2);
    for (size_t i = 0; i < layout.caseLines.size(); ++i) {
        EXPECT_EQ(layout.caseLines[i].y, 10 + 2 * static_cast<int>(i));
        EXPECT_EQ(layout.caseLines[i].caseIndex, 10 * i);
        EXPECT_EQ(layout.caseLines[i].xFrom, 32);
        EXPECT_EQ(layout.caseLines[i].xTo, 32 + 182 * 368 / 365);
    }
    EXPECT_EQ(LiteralDrawnPositions(1000, thousand, 200).back(), 990u);

    // 20 cases leave room: F = 63 grows by 21 while it is at most 200, seven times.
    const std::vector<CCaseRecord> twenty = Cases(20);
    layout = LayOutObservationPeriod(kArea, 0, &data, &twenty);
    ASSERT_EQ(layout.caseLines.size(), 20u);
    EXPECT_EQ(layout.lineStep, 9);
    EXPECT_EQ(layout.caseLines.back().y, 10 + 19 * 9);

    // Too little height for any case line.
    const DiagramArea flat{0, 0, 432, 35, 60, 16};  // axis at 11, one pixel below top
    EXPECT_TRUE(LayOutObservationPeriod(flat, 0, &data, &thousand).caseLines.empty());
}

TEST(ObservationPeriodLayoutTest, SamplingMatchesTheWalkOverEveryCase)
{
    const CAnalysisData data = Window(Ymd(2000, 1, 1), Ymd(2000, 12, 31));
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        const int count = std::uniform_int_distribution<int>(0, 700)(rng);
        const int invalidPercent = std::uniform_int_distribution<int>(0, 100)(rng);
        std::vector<CCaseRecord> cases = Cases(count);
        for (CCaseRecord& c : cases) c.isValid = std::uniform_int_distribution<int>(0, 99)(rng) >= invalidPercent;
        const int bottom = std::uniform_int_distribution<int>(20, 400)(rng);
        const DiagramArea area{0, 0, 300, bottom, 60, 16};
        // Every other round a selection: the cases it leaves out are drawn
        // as if the list had not held them.
        std::vector<std::uint8_t> selected;
        std::vector<CCaseRecord> shown;
        std::vector<size_t> shownIndex;
        for (size_t k = 0; k < cases.size(); ++k) {
            if (round % 2 == 1) selected.push_back(std::uniform_int_distribution<int>(0, 2)(rng) > 0 ? 1 : 0);
            if (selected.empty() || selected.back()) {
                shown.push_back(cases[k]);
                shownIndex.push_back(k);
            }
        }
        const ObservationPeriodLayout layout =
            LayOutObservationPeriod(area, 0, &data, &cases, selected.empty() ? nullptr : &selected);
        std::vector<size_t> literal = LiteralDrawnPositions(shown.size(), shown, layout.axisY - layout.top);
        for (size_t& position : literal) position = shownIndex[position];
        std::vector<size_t> drawn;
        for (const DiagramLine& line : layout.caseLines) drawn.push_back(line.caseIndex);
        ASSERT_EQ(drawn, literal) << "round " << round;
    }
}

TEST(ObservationPeriodLayoutTest, WindowOfNoDaysMapsEverythingToTheLeft)
{
    CAnalysisData data = Window(Ymd(2000, 5, 5), Ymd(2000, 5, 5));
    data.periodWidth = 5;
    const std::vector<CCaseRecord> cases = Cases(3);
    for (std::int32_t mode : {0, 1, 2}) {
        const ObservationPeriodLayout layout = LayOutObservationPeriod(kArea, mode, &data, &cases);
        EXPECT_EQ(layout.tickX, (std::vector<int>{32, 400}));
        if (mode > 0) {
            EXPECT_EQ(layout.bandRight, 32);
        }
        for (const DiagramLine& line : layout.caseLines) EXPECT_EQ(line.xTo, 32);
    }
}

}  // namespace
}  // namespace kalderon
