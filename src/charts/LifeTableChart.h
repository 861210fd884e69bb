#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "charts/ChartAxis.h"
#include "charts/ChartLegend.h"
#include "charts/ChartTypes.h"
#include "charts/ScaledFont.h"
#include "charts/SeriesStyle.h"
#include "stats/AnalysisData.h"

namespace kalderon {

class ChartProfile;

// Chart kinds: the analysis a chart shows.
enum ChartKind : std::int32_t {
    kChartLifeTable = 0,
    kChartPeriodAnalysis = 1,  // life table technique
    kChartTrend = 2,
    kChartProductLimit = 3,    // product-limit analysis and period analysis with that technique
    kChartCumulativeIncidence = 4,  // at event days (product-limit technique) or interval ends
};

// The chart document of a chart window: its own copy of the analysis, the
// title, both axes, the legend and one style per data series.  Series i
// shows group i of the analysis.
class LifeTableChart {
public:
    LifeTableChart();

    // Builds the whole chart for a finished analysis: series styles, texts,
    // axis ranges, and the formatting defaults of the chart kind from the
    // profile.  n is the n of n-year survival for trend charts.
    void InitFromAnalysis(const CAnalysisData& source, std::int32_t kind, int n, const ChartProfile& profile);

    // The number of series that have both a style and a group to draw.
    int DrawableSeriesCount() const;
    // The label of group i when it has one, else its code.
    std::string GroupText(int i) const;
    // Whether the series are time points (product-limit style) rather than
    // intervals.
    bool IsProductLimit() const
    {
        return chartKind == kChartProductLimit ||
               (chartKind == kChartCumulativeIncidence && analysis.periodTechnique == kProductLimitTechnique);
    }
    // A cumulative incidence rises from 0 where survival falls from 1.
    bool RisesFromZero() const { return chartKind == kChartCumulativeIncidence; }

    std::string titleText;
    ScaledFont titleFont;
    ColorRef titleColor = 0;
    std::int32_t titleAlign = kAlignCenter;
    CChartAxis timeAxis{false};
    CChartAxis survivalAxis{true};
    std::int32_t chartKind = kChartLifeTable;
    std::int32_t seriesCount = 0;
    std::string registrySection;
    std::vector<CSeriesStyle> seriesStyles;
    CAnalysisData analysis;
    CChartLegend legend;
    // The table of the numbers at risk under the time axis of product-limit
    // charts; a setting of the user's defaults, not part of chart files.
    bool showNumbersAtRisk = false;

    std::int32_t modifiedFlag = 1;
    std::string chartPath;
    ChartRect plotRect;
    std::int32_t exportMode = 0;

private:
    void BuildSeries();
    void SetTexts(int n, const ChartProfile& profile);
    void SetTimeAxisRange();
    void SetSurvivalAxisRange();
    std::int32_t LabelTimeUnit() const;
    const std::string& CiLevelText() const;
};

// The chart kind of an analysis (period analyses and trends by their
// technique); -1 for SMR/SIR, which has no chart.
std::int32_t ChartKindOfAnalysis(AnalysisKind kind, std::int32_t periodTechnique);

// The settings section that holds the defaults of a chart kind ("Charts\...").
std::string ChartRegistrySection(std::int32_t kind);

}  // namespace kalderon
