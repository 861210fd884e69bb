#pragma once

#include <string>

#include "charts/ChartAxis.h"
#include "charts/ChartLegend.h"
#include "charts/SeriesStyle.h"

namespace kalderon {

class ChartProfile;
class LifeTableChart;

// Built-in font strings of the defaults.
inline constexpr const char* kDefaultTitleFontText = "28;-14;0;0;0;700;0;0;0;0;0;0;0;0;Arial";
inline constexpr const char* kDefaultLabelFontText = "35;-12;0;0;0;400;0;0;0;0;0;0;0;0;Arial";
inline constexpr const char* kDefaultNumberFontText = "38;-12;0;0;0;400;0;0;0;0;0;0;0;0;Arial";

// Title alignment, colour and font from the chart's section (the title text
// is read by the caller, where the chart kind reads it at all).
void LoadTitleFormat(LifeTableChart& chart, const ChartProfile& profile);
// The four title values, also for trend charts.
void SaveTitleDefaults(const LifeTableChart& chart, ChartProfile& profile);

// Reads the axis format from key (remembered as the axis's registryKey);
// label and alignment default to the given values.
void LoadAxisDefaults(CChartAxis& axis, const ChartProfile& profile, const std::string& key,
                      const std::string& label, int align);
void SaveAxisDefaults(const CChartAxis& axis, ChartProfile& profile);

void LoadLegendDefaults(CChartLegend& legend, const ChartProfile& profile, const std::string& key,
                        const std::string& ciLabel, int position);
void SaveLegendDefaults(const CChartLegend& legend, ChartProfile& profile);

// The key of series i below a chart section ("...\DataSeries<i>").
std::string SeriesKey(const std::string& section, int index);
// Reads the eleven series values; the style's current values are the defaults.
void LoadSeriesDefaults(CSeriesStyle& style, const ChartProfile& profile, const std::string& key);
void SaveSeriesDefaults(const CSeriesStyle& style, ChartProfile& profile, const std::string& key);
// Writes the styles of every series of the chart.
void SaveAllSeriesDefaults(const LifeTableChart& chart, ChartProfile& profile);

// The numbers-at-risk switch of product-limit charts, kept with the
// defaults of that kind (off for every other kind and when never saved).
// Saving writes the value only when it is on or was stored on before, so
// that the settings of users who never switch it on stay as they were.
void LoadNumbersAtRiskDefault(LifeTableChart& chart, const ChartProfile& profile);
void SaveNumbersAtRiskDefault(const LifeTableChart& chart, ChartProfile& profile);

// Which chart kinds' stored defaults to delete.
struct ChartDefaultsReset {
    bool lifeTable = false;
    bool productLimit = false;
    bool periodAnalysis = false;
    bool trend = false;
};
// Deletes the sections of the chosen kinds with everything below them, so
// that new charts of those kinds get the built-in defaults again.
void ResetChartDefaults(ChartProfile& profile, const ChartDefaultsReset& kinds);

}  // namespace kalderon
