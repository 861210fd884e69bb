#include "charts/ChartDefaults.h"

#include <algorithm>

#include "charts/ChartProfile.h"
#include "charts/LifeTableChart.h"

namespace kalderon {
namespace {

constexpr const char* kTitle = "DefaultTitle";
constexpr const char* kTitleAlign = "DefaultTitleAlign";
constexpr const char* kTitleColor = "DefaultTitleColor";
constexpr const char* kTitleFont = "DefaultTitleFont";
constexpr const char* kNumberColor = "DefaultNumberColor";
constexpr const char* kNumberFont = "DefaultNumberFont";
constexpr const char* kShowFlag = "ShowFlag";

constexpr const char* kShowNumbersAtRisk = "ShowNumbersAtRisk";

constexpr const char* kSurvivalLineColor = "DefaultSurvivalLineColor";
constexpr const char* kCiLineColor = "DefaultCILineColor";
constexpr const char* kSurvivalLineWidth = "DefaultSurvivalLineWidth";
constexpr const char* kCiLineWidth = "DefaultCILineWidth";
constexpr const char* kSurvivalLineStyle = "DefaultSurvivalLineStyle";
constexpr const char* kCiLineStyle = "DefaultCILineStyle";
constexpr const char* kCiDisplay = "DefaultCIDisplay";
constexpr const char* kMarkerStyle = "DefaultMarkerStyle";
constexpr const char* kMarkerSize = "DefaultMarkerSize";
constexpr const char* kMarkerLineColor = "DefaultMarkerLineColor";
constexpr const char* kMarkerFillColor = "DefaultMarkerFillColor";

void LoadFont(ScaledFont& font, const ChartProfile& profile, const std::string& key, const char* name,
              const char* builtIn)
{
    font.FromProfileString(profile.GetString(key, name, builtIn));
}

ColorRef LoadColor(const ChartProfile& profile, const std::string& key, const char* name, ColorRef def)
{
    return static_cast<ColorRef>(profile.GetInt(key, name, static_cast<int>(def)));
}

void WriteColor(ChartProfile& profile, const std::string& key, const char* name, ColorRef color)
{
    profile.WriteInt(key, name, static_cast<int>(color));
}

}  // namespace

void LoadTitleFormat(LifeTableChart& chart, const ChartProfile& profile)
{
    const std::string& key = chart.registrySection;
    chart.titleAlign = profile.GetInt(key, kTitleAlign, kAlignCenter);
    chart.titleColor = LoadColor(profile, key, kTitleColor, 0);
    LoadFont(chart.titleFont, profile, key, kTitleFont, kDefaultTitleFontText);
}

void SaveTitleDefaults(const LifeTableChart& chart, ChartProfile& profile)
{
    const std::string& key = chart.registrySection;
    profile.WriteString(key, kTitle, chart.titleText);
    profile.WriteInt(key, kTitleAlign, chart.titleAlign);
    WriteColor(profile, key, kTitleColor, chart.titleColor);
    profile.WriteString(key, kTitleFont, chart.titleFont.ToProfileString());
}

void LoadAxisDefaults(CChartAxis& axis, const ChartProfile& profile, const std::string& key,
                      const std::string& label, int align)
{
    axis.registryKey = key;
    axis.labelText = profile.GetString(key, kTitle, label);
    axis.titleAlign = profile.GetInt(key, kTitleAlign, align);
    axis.labelColor = LoadColor(profile, key, kTitleColor, 0);
    LoadFont(axis.labelFont, profile, key, kTitleFont, kDefaultLabelFontText);
    axis.numberColor = LoadColor(profile, key, kNumberColor, 0);
    LoadFont(axis.numberFont, profile, key, kNumberFont, kDefaultNumberFontText);
    axis.labelFont.logFont.lfEscapement = axis.isVertical ? 900 : 0;
}

void SaveAxisDefaults(const CChartAxis& axis, ChartProfile& profile)
{
    const std::string& key = axis.registryKey;
    profile.WriteString(key, kTitle, axis.labelText);
    profile.WriteInt(key, kTitleAlign, axis.titleAlign);
    WriteColor(profile, key, kTitleColor, axis.labelColor);
    profile.WriteString(key, kTitleFont, axis.labelFont.ToProfileString());
    WriteColor(profile, key, kNumberColor, axis.numberColor);
    profile.WriteString(key, kNumberFont, axis.numberFont.ToProfileString());
}

void LoadLegendDefaults(CChartLegend& legend, const ChartProfile& profile, const std::string& key,
                        const std::string& ciLabel, int position)
{
    legend.registryKey = key;
    legend.ciLabel = profile.GetString(key, kTitle, ciLabel);
    legend.legendPosition = profile.GetInt(key, kTitleAlign, position);
    legend.legendColor = LoadColor(profile, key, kTitleColor, 0);
    LoadFont(legend.legendFont, profile, key, kTitleFont, kDefaultLabelFontText);
    legend.showLegend = profile.GetInt(key, kShowFlag, 1);
}

void SaveLegendDefaults(const CChartLegend& legend, ChartProfile& profile)
{
    const std::string& key = legend.registryKey;
    profile.WriteString(key, kTitle, legend.ciLabel);
    profile.WriteInt(key, kTitleAlign, legend.legendPosition);
    WriteColor(profile, key, kTitleColor, legend.legendColor);
    profile.WriteString(key, kTitleFont, legend.legendFont.ToProfileString());
    profile.WriteInt(key, kShowFlag, legend.showLegend);
}

std::string SeriesKey(const std::string& section, int index)
{
    return section + "\\DataSeries" + std::to_string(index);
}

void LoadSeriesDefaults(CSeriesStyle& style, const ChartProfile& profile, const std::string& key)
{
    style.survivalLine.lineColor = LoadColor(profile, key, kSurvivalLineColor, style.survivalLine.lineColor);
    style.ciLine.lineColor = LoadColor(profile, key, kCiLineColor, style.ciLine.lineColor);
    style.survivalLine.lineWidth = profile.GetInt(key, kSurvivalLineWidth, style.survivalLine.lineWidth);
    style.ciLine.lineWidth = profile.GetInt(key, kCiLineWidth, style.ciLine.lineWidth);
    style.survivalLine.penStyle = profile.GetInt(key, kSurvivalLineStyle, style.survivalLine.penStyle);
    style.ciLine.penStyle = profile.GetInt(key, kCiLineStyle, style.ciLine.penStyle);
    style.showCI = profile.GetInt(key, kCiDisplay, style.showCI);
    style.marker.symbol = profile.GetInt(key, kMarkerStyle, style.marker.symbol);
    style.marker.markerSize = profile.GetInt(key, kMarkerSize, style.marker.markerSize);
    style.marker.lineColor = LoadColor(profile, key, kMarkerLineColor, style.marker.lineColor);
    style.marker.fillColor = LoadColor(profile, key, kMarkerFillColor, style.marker.fillColor);
}

void SaveSeriesDefaults(const CSeriesStyle& style, ChartProfile& profile, const std::string& key)
{
    WriteColor(profile, key, kSurvivalLineColor, style.survivalLine.lineColor);
    WriteColor(profile, key, kCiLineColor, style.ciLine.lineColor);
    profile.WriteInt(key, kSurvivalLineWidth, style.survivalLine.lineWidth);
    profile.WriteInt(key, kCiLineWidth, style.ciLine.lineWidth);
    profile.WriteInt(key, kSurvivalLineStyle, style.survivalLine.penStyle);
    profile.WriteInt(key, kCiLineStyle, style.ciLine.penStyle);
    profile.WriteInt(key, kCiDisplay, style.showCI);
    profile.WriteInt(key, kMarkerStyle, style.marker.symbol);
    profile.WriteInt(key, kMarkerSize, style.marker.markerSize);
    WriteColor(profile, key, kMarkerLineColor, style.marker.lineColor);
    WriteColor(profile, key, kMarkerFillColor, style.marker.fillColor);
}

void SaveAllSeriesDefaults(const LifeTableChart& chart, ChartProfile& profile)
{
    const int count = std::min<int>(chart.seriesCount, static_cast<int>(chart.seriesStyles.size()));
    for (int i = 0; i < count; ++i) {
        SaveSeriesDefaults(chart.seriesStyles[i], profile, SeriesKey(chart.registrySection, i));
    }
}

void LoadNumbersAtRiskDefault(LifeTableChart& chart, const ChartProfile& profile)
{
    const std::string section = ChartRegistrySection(kChartProductLimit);
    chart.showNumbersAtRisk = chart.IsProductLimit() && profile.GetInt(section, kShowNumbersAtRisk, 0) != 0;
}

void SaveNumbersAtRiskDefault(const LifeTableChart& chart, ChartProfile& profile)
{
    if (!chart.IsProductLimit()) return;
    const std::string section = ChartRegistrySection(kChartProductLimit);
    if (chart.showNumbersAtRisk || profile.GetInt(section, kShowNumbersAtRisk, 0) != 0)
        profile.WriteInt(section, kShowNumbersAtRisk, chart.showNumbersAtRisk ? 1 : 0);
}

void ResetChartDefaults(ChartProfile& profile, const ChartDefaultsReset& kinds)
{
    if (kinds.lifeTable) profile.DeleteSection(ChartRegistrySection(kChartLifeTable));
    if (kinds.productLimit) profile.DeleteSection(ChartRegistrySection(kChartProductLimit));
    if (kinds.periodAnalysis) profile.DeleteSection(ChartRegistrySection(kChartPeriodAnalysis));
    if (kinds.trend) profile.DeleteSection(ChartRegistrySection(kChartTrend));
}

}  // namespace kalderon
