#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "charts/ChartDefaults.h"
#include "charts/LifeTableChart.h"
#include "charts/ChartFixtures.h"
#include "charts/qt/ImageApplication.h"
#include "charts/qt/SettingsChartProfile.h"

namespace kalderon {
namespace {

TEST(SettingsChartProfileTest, DefaultsGoToTheIniFileOfTheOrganisationAndApplication)
{
    EnsureImageApplication();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());

    LifeTableChart chart;
    {
        SettingsChartProfile profile;
        chart.InitFromAnalysis(testing::ProductLimitAnalysis(), kChartProductLimit, 0, profile);
        chart.titleText = "\xDC" "berleben";  // bytes kept as they are
        chart.survivalAxis.labelFont.FromProfileString("30;-12;0;0;0;400;0;0;0;0;0;0;0;0;Courier New");
        chart.seriesStyles[0].ciLine.lineColor = Rgb(10, 20, 30);
        SaveTitleDefaults(chart, profile);
        SaveAxisDefaults(chart.survivalAxis, profile);
        SaveAllSeriesDefaults(chart, profile);
        LifeTableChart other;
        other.InitFromAnalysis(testing::LifeTableAnalysis(1), kChartLifeTable, 0, profile);
        SaveLegendDefaults(other.legend, profile);
        profile.Sync();
    }

    const QString ini = dir.path() + "/QOV/KALDERON.ini";
    ASSERT_TRUE(QFile::exists(ini));
    QSettings raw(ini, QSettings::IniFormat);
    EXPECT_EQ(raw.value("Charts/Kaplan-Meier/YAxis/DefaultTitleFont").toString(),
              "30;-12;0;0;0;400;0;0;0;0;0;0;0;0;Courier New");
    EXPECT_EQ(raw.value("Charts/Kaplan-Meier/DataSeries0/DefaultCILineColor").toInt(), 0x1E140A);
    EXPECT_EQ(raw.value("Charts/Kaplan-Meier/DataSeries0/DefaultMarkerStyle").toInt(), 6);
    EXPECT_EQ(raw.value("Charts/Kaplan-Meier/DefaultTitleAlign").toInt(), 6);
    EXPECT_EQ(raw.value("Charts/Cutler-Ederer/Legend/ShowFlag").toInt(), 1);

    SettingsChartProfile profile;
    LifeTableChart again;
    again.InitFromAnalysis(testing::ProductLimitAnalysis(), kChartProductLimit, 0, profile);
    EXPECT_EQ(again.titleText, "\xDC" "berleben");
    EXPECT_EQ(again.survivalAxis.labelFont.logFont.FaceName(), "Courier New");
    EXPECT_EQ(again.survivalAxis.labelFont.logFont.lfEscapement, 900);
    EXPECT_EQ(again.seriesStyles[0].ciLine.lineColor, Rgb(10, 20, 30));
    EXPECT_EQ(profile.GetInt("Charts\\Kaplan-Meier", "DefaultTitle", 7), 7);  // a text is no number

    ChartDefaultsReset reset;
    reset.productLimit = true;
    ResetChartDefaults(profile, reset);
    EXPECT_FALSE(profile.DeleteSection("Charts\\Kaplan-Meier"));
    EXPECT_EQ(profile.GetString("Charts\\Kaplan-Meier\\YAxis", "DefaultTitleFont", "gone"), "gone");
    EXPECT_EQ(profile.GetInt("Charts\\Cutler-Ederer\\Legend", "ShowFlag", 0), 1);
}

}  // namespace
}  // namespace kalderon
