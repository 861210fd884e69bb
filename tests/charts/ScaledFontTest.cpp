#include <gtest/gtest.h>

#include "charts/ChartDefaults.h"
#include "charts/ScaledFont.h"

namespace kalderon {
namespace {

TEST(ScaledFontTest, DefaultFontStringsReadAndWriteBack)
{
    ScaledFont font;
    font.FromProfileString(kDefaultLabelFontText);
    EXPECT_FLOAT_EQ(font.heightDivisor, 35.0f);
    EXPECT_EQ(font.logFont.lfHeight, -12);
    EXPECT_EQ(font.logFont.lfWeight, 400);
    EXPECT_EQ(font.logFont.FaceName(), "Arial");
    EXPECT_EQ(font.ToProfileString(), kDefaultLabelFontText);

    ScaledFont title;
    title.FromProfileString(kDefaultTitleFontText);
    EXPECT_EQ(title.ToProfileString(), kDefaultTitleFontText);
}

TEST(ScaledFontTest, FaceNameIsEverythingAfterTheFourteenthSeparator)
{
    ScaledFont font;
    font.FromProfileString("27.5;-20;0;900;0;700;1;0;0;0;3;2;1;49;Courier New");
    EXPECT_FLOAT_EQ(font.heightDivisor, 27.5f);
    EXPECT_EQ(font.logFont.lfEscapement, 900);
    EXPECT_EQ(font.logFont.lfItalic, 1);
    EXPECT_EQ(font.logFont.lfPitchAndFamily, 49);
    EXPECT_EQ(font.logFont.FaceName(), "Courier New");
    EXPECT_EQ(font.ToProfileString(), "27.5;-20;0;900;0;700;1;0;0;0;3;2;1;49;Courier New");

    font.FromProfileString("35;-12;0;0;0;400;0;0;0;0;0;0;0;0;A face name longer than thirty-one bytes");
    EXPECT_EQ(font.logFont.FaceName(), "A face name longer than thirty-");
}

TEST(ScaledFontTest, UnreadableFieldsKeepTheirValues)
{
    ScaledFont font{LogFont::Make(-9, 700, "Times"), 20.0f};
    font.FromProfileString("31;-14;x;5");
    EXPECT_FLOAT_EQ(font.heightDivisor, 31.0f);
    EXPECT_EQ(font.logFont.lfHeight, -14);
    EXPECT_EQ(font.logFont.lfWidth, 0);
    EXPECT_EQ(font.logFont.lfEscapement, 0);
    EXPECT_EQ(font.logFont.lfWeight, 700);
    EXPECT_EQ(font.logFont.FaceName(), "Times");

    font.FromProfileString("garbage");
    EXPECT_FLOAT_EQ(font.heightDivisor, 31.0f);
}

TEST(ScaledFontTest, HeightFollowsTheDrawingAndAChosenFontKeepsItsProportion)
{
    ScaledFont font{LogFont::Make(12, 400, "Arial"), 28.0f};
    EXPECT_EQ(font.ScaleTo(600).lfHeight, -21);  // 600 / 28 = 21.43
    EXPECT_EQ(font.ScaleTo(27).lfHeight, 0);
    for (float damaged : {0.0f, -3.0f, 0.001f}) {
        font.heightDivisor = damaged;
        EXPECT_EQ(font.ScaleTo(600).lfHeight, -600) << damaged;
    }

    ScaledFont chosen{LogFont::Make(-20, 400, "Arial"), 30.0f};
    LogFont bigger = chosen.logFont;
    bigger.lfHeight = -40;
    chosen.TakeOver(bigger);
    EXPECT_FLOAT_EQ(chosen.heightDivisor, 15.0f);
    EXPECT_EQ(chosen.ScaleTo(600).lfHeight, -40);
}

}  // namespace
}  // namespace kalderon
