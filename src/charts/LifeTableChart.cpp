#include "charts/LifeTableChart.h"

#include <algorithm>
#include <cstdio>

#include "charts/ChartDefaults.h"
#include "charts/ChartProfile.h"
#include "resources/StringTable.h"
#include "resources/Texts.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

constexpr ColorRef kSeriesColors[] = {
    Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(128, 128, 0), Rgb(0, 255, 255), Rgb(255, 0, 255),
};

ColorRef SeriesColor(int index)
{
    return index < static_cast<int>(std::size(kSeriesColors)) ? kSeriesColors[index] : Rgb(0, 0, 0);
}

std::string FormatWithNumber(const std::string& format, int value)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format.c_str(), value);
    return buffer;
}

const std::string& UnitLabel(std::int32_t timeUnit)
{
    static const std::string none;
    return timeUnit >= kUnitYear && timeUnit <= kUnitDay ? LoadString(810 + timeUnit) : none;
}

}  // namespace

std::int32_t ChartKindOfAnalysis(AnalysisKind kind, std::int32_t periodTechnique)
{
    switch (kind) {
    case kLifeTable: return kChartLifeTable;
    case kPeriodAnalysis: return periodTechnique == kProductLimitTechnique ? kChartProductLimit : kChartPeriodAnalysis;
    case kTrend: return kChartTrend;
    case kProductLimit: return kChartProductLimit;
    case kCumulativeIncidence: return kChartCumulativeIncidence;
    case kCoxRegression: return kChartCoxRegression;
    default: return -1;
    }
}

std::string ChartRegistrySection(std::int32_t kind)
{
    switch (kind) {
    case kChartLifeTable: return "Charts\\Cutler-Ederer";
    case kChartPeriodAnalysis: return "Charts\\Merivane";
    case kChartTrend: return "Charts\\TrendInSurvival";
    case kChartProductLimit: return "Charts\\Kaplan-Meier";
    case kChartCumulativeIncidence: return "Charts\\CumulativeIncidence";
    case kChartCoxRegression: return "Charts\\CoxRegression";
    default: return {};
    }
}

LifeTableChart::LifeTableChart() : titleFont{LogFont::Make(12, 700, "Arial"), 28.0f} {}

int LifeTableChart::DrawableSeriesCount() const
{
    const int count = std::min(seriesCount, static_cast<std::int32_t>(seriesStyles.size()));
    return std::max(0, std::min(count, static_cast<int>(analysis.groupResults.size())));
}

std::string LifeTableChart::GroupText(int i) const
{
    return GroupName(analysis.groupResults[i].info);
}

void LifeTableChart::InitFromAnalysis(const CAnalysisData& source, std::int32_t kind, int n,
                                      const ChartProfile& profile)
{
    analysis = source;
    chartKind = kind;
    BuildSeries();
    registrySection = ChartRegistrySection(kind);
    SetTexts(n, profile);
    LoadTitleFormat(*this, profile);

    LoadAxisDefaults(timeAxis, profile, registrySection + "\\XAxis", timeAxis.labelText, kAlignCenter);
    SetTimeAxisRange();
    LoadAxisDefaults(survivalAxis, profile, registrySection + "\\YAxis", survivalAxis.labelText, kAlignCenter);
    SetSurvivalAxisRange();

    // Rising curves leave no room in the lower left.
    LoadLegendDefaults(legend, profile, registrySection + "\\Legend", LoadString(814),
                       RisesFromZero() ? kLegendUpperRight : kLegendLowerLeft);
    legend.ciPrefix = CiLevelText() == ".99" ? text::kCiPrefix99 : text::kCiPrefix95;

    for (int i = 0; i < seriesCount; ++i) LoadSeriesDefaults(seriesStyles[i], profile, SeriesKey(registrySection, i));
    LoadNumbersAtRiskDefault(*this, profile);
    modifiedFlag = 1;
}

void LifeTableChart::BuildSeries()
{
    seriesCount = 0;
    seriesStyles.clear();
    for (const CGroupResult& group : analysis.groupResults) {
        if (group.info.recordsRead <= 0) continue;
        const int k = seriesCount++;
        const ColorRef color = SeriesColor(k);
        CSeriesStyle style;
        style.survivalLine = CLineStyle{color, 2, kPenSolid};
        if (RisesFromZero()) {
            style.ciLine = CLineStyle{color, 1, IsProductLimit() ? kPenDot : kPenSolid};
            style.marker = CMarkerStyle{color, color, 5, 0};
        } else if (chartKind == kChartCoxRegression) {
            // The model's curves have limits as the product-limit's, but no censored cases.
            style.ciLine = CLineStyle{color, 1, kPenDot};
            style.marker = CMarkerStyle{color, color, 5, 0};
        } else if (IsProductLimit()) {
            style.ciLine = CLineStyle{color, 1, kPenDot};
            style.marker = CMarkerStyle{color, color, 5, kSymbolVerticalBar};
        } else {
            style.ciLine = CLineStyle{color, 1, kPenSolid};
            style.marker = CMarkerStyle{Rgb(0, 0, 0), color, 5, k + 1};
        }
        seriesStyles.push_back(style);
    }
}

void LifeTableChart::SetTexts(int n, const ChartProfile& profile)
{
    const bool relative = analysis.relativeSurvival != 0;
    const bool net = analysis.UsesNetSurvival();
    if (chartKind == kChartTrend) {
        titleText = FormatWithNumber(net ? text::kNetTrendChartTitle : LoadString(relative ? 816 : 804), n);
        timeAxis.labelText = FormatWithNumber(LoadString(805), analysis.periodWidth);
    } else {
        const std::string title = net ? text::kNetSurvivalChartTitle : LoadString(relative ? 815 : 800);
        titleText = profile.GetString(registrySection, "DefaultTitle", title);
        timeAxis.labelText = LoadString(801) + " " + UnitLabel(LabelTimeUnit());
    }
    survivalAxis.labelText = net ? text::kNetSurvivalAxis : LoadString(relative ? 803 : 802);
    if (RisesFromZero()) {
        titleText = profile.GetString(registrySection, "DefaultTitle", text::kCumulativeIncidenceChartTitle);
        survivalAxis.labelText = text::kCumulativeIncidenceAxis;
    }
}

std::int32_t LifeTableChart::LabelTimeUnit() const
{
    if (IsProductLimit() || analysis.groupResults.empty()) return analysis.timeUnit;
    return analysis.groupResults.front().intervalTable.timeUnit;
}

// The product-limit computation takes its confidence level from the record
// itself, every other kind from the groups' interval tables.
const std::string& LifeTableChart::CiLevelText() const
{
    if (IsProductLimit() || analysis.groupResults.empty()) return analysis.ciLevelText;
    return analysis.groupResults.front().intervalTable.ciLevelText;
}

void LifeTableChart::SetTimeAxisRange()
{
    CChartAxis& axis = timeAxis;
    axis.minValue = 0.0;
    axis.skipFirstTick = 0;
    const std::int32_t unit = LabelTimeUnit();
    if (IsProductLimit()) {
        double longest = 0.0;
        for (int i = 0; i < seriesCount && i < static_cast<int>(analysis.groupResults.size()); ++i) {
            const auto& points = analysis.groupResults[i].timePoints;
            if (!points.empty()) longest = std::max(longest, static_cast<double>(points.back().survivalDays));
        }
        switch (unit) {
        case kUnitYear: axis.maxValue = longest * kDaysToYears + 1, axis.stepValue = 1; break;
        case kUnitMonth: axis.maxValue = longest * 0.03285420944558522 + 6, axis.stepValue = 6; break;
        case kUnitWeek: axis.maxValue = longest * 0.14285714285714285 + 5, axis.stepValue = 5; break;
        case kUnitDay: axis.maxValue = longest + 50, axis.stepValue = 50; break;
        default: break;
        }
        return;
    }

    int first = 1;
    int last = 0;
    if (!analysis.groupResults.empty() && !analysis.groupResults.front().intervalTable.rows.empty()) {
        const auto& rows = analysis.groupResults.front().intervalTable.rows;
        first = rows.front().intervalNumber;
        last = rows.back().intervalNumber;
    }
    switch (unit) {
    case kUnitYear: axis.maxValue = last + 1, axis.stepValue = 1; break;
    case kUnitMonth: axis.maxValue = last + 6, axis.stepValue = 6; break;
    case kUnitWeek: axis.maxValue = last + 5, axis.stepValue = 5; break;
    case kUnitDay: axis.maxValue = last + 50, axis.stepValue = 50; break;
    default: break;
    }
    axis.minValue = first - 1;
    axis.skipFirstTick = chartKind == kChartTrend ? 1 : 0;
}

void LifeTableChart::SetSurvivalAxisRange()
{
    survivalAxis.minValue = 0.0;
    survivalAxis.stepValue = 0.1;
    survivalAxis.skipFirstTick = 0;
    const double upper = analysis.maxRelativeUpper;
    survivalAxis.maxValue = analysis.relativeSurvival && upper > 1.0 ? upper + 0.1 : upper;
}

}  // namespace kalderon
