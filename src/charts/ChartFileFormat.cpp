#include "charts/ChartFileFormat.h"

#include "charts/ByteStream.h"
#include "charts/LifeTableChart.h"
#include "resources/StringTable.h"

namespace kalderon {
namespace {

// Smallest sizes of the stored elements, for bounding counts.
constexpr std::size_t kSeriesRecordBytes = 48;
constexpr std::size_t kCountsBytes = 12;
constexpr std::size_t kRowBytes = 80;
constexpr std::size_t kStringBytes = 4;
constexpr std::size_t kGroupRecordMinBytes = 60;

// The four-byte slot of a product-limit row holds whether the row is an
// event (1) or censored (0); its status text is rebuilt from that on reading.
constexpr std::int32_t kEventSlot = 1;
constexpr std::int32_t kCensoredSlot = 0;

const std::string& Signature() { return LoadString(830); }

// A status text that differs from the event code, for censored rows.
std::string CensoredStatusText(const CAnalysisData& analysis)
{
    for (const std::string& code : analysis.statusCodes) {
        if (code != analysis.eventCode) return code;
    }
    return analysis.eventCode.empty() ? "0" : "";
}

void WriteAxis(ByteWriter& out, const CChartAxis& axis)
{
    out.Int32(axis.isVertical);
    out.String(axis.registryKey);
    out.String(axis.labelText);
    out.Int32(axis.titleAlign);
    out.Rect(axis.areaRect);
    out.Double(axis.minValue);
    out.Double(axis.maxValue);
    out.Double(axis.stepValue);
    out.Int32(axis.skipFirstTick);
    out.Font(axis.labelFont.logFont);
    out.Font(axis.numberFont.logFont);
    out.Float(axis.labelFont.heightDivisor);
    out.Int32(static_cast<std::int32_t>(axis.labelColor));
    out.Int32(static_cast<std::int32_t>(axis.numberColor));
    out.Float(axis.numberFont.heightDivisor);
    out.Int32(axis.tickDivisor);
}

bool ReadAxis(ByteReader& in, CChartAxis& axis)
{
    in.Int32(axis.isVertical);
    in.String(axis.registryKey);
    in.String(axis.labelText);
    in.Int32(axis.titleAlign);
    in.Rect(axis.areaRect);
    in.Double(axis.minValue);
    in.Double(axis.maxValue);
    in.Double(axis.stepValue);
    in.Int32(axis.skipFirstTick);
    in.Font(axis.labelFont.logFont);
    in.Font(axis.numberFont.logFont);
    in.Float(axis.labelFont.heightDivisor);
    in.UInt32(axis.labelColor);
    in.UInt32(axis.numberColor);
    in.Float(axis.numberFont.heightDivisor);
    in.Int32(axis.tickDivisor);
    return in.ok();
}

void WriteLine(ByteWriter& out, const CLineStyle& line)
{
    out.Int32(static_cast<std::int32_t>(line.lineColor));
    out.Int32(line.lineWidth);
    out.Int32(line.penStyle);
}

void ReadLine(ByteReader& in, CLineStyle& line)
{
    in.UInt32(line.lineColor);
    in.Int32(line.lineWidth);
    in.Int32(line.penStyle);
}

void WriteSeries(ByteWriter& out, const CSeriesStyle& style)
{
    out.Int32(style.showSeries);
    out.Int32(style.showCI);
    WriteLine(out, style.survivalLine);
    WriteLine(out, style.ciLine);
    out.Int32(static_cast<std::int32_t>(style.marker.lineColor));
    out.Int32(static_cast<std::int32_t>(style.marker.fillColor));
    out.Int32(style.marker.markerSize);
    out.Int32(style.marker.symbol);
}

void ReadSeries(ByteReader& in, CSeriesStyle& style)
{
    in.Int32(style.showSeries);
    in.Int32(style.showCI);
    ReadLine(in, style.survivalLine);
    ReadLine(in, style.ciLine);
    in.UInt32(style.marker.lineColor);
    in.UInt32(style.marker.fillColor);
    in.Int32(style.marker.markerSize);
    in.Int32(style.marker.symbol);
}

void WriteLegend(ByteWriter& out, const CChartLegend& legend)
{
    out.String(legend.registryKey);
    out.String(legend.ciLabel);
    out.String(legend.ciPrefix);
    out.Int32(legend.legendPosition);
    out.Rect(legend.areaRect);
    out.Int32(legend.showLegend);
    out.Font(legend.legendFont.logFont);
    out.Float(legend.legendFont.heightDivisor);
    out.Int32(static_cast<std::int32_t>(legend.legendColor));
    out.Int32(legend.tickDivisor);
}

void ReadLegend(ByteReader& in, CChartLegend& legend)
{
    in.String(legend.registryKey);
    in.String(legend.ciLabel);
    in.String(legend.ciPrefix);
    in.Int32(legend.legendPosition);
    in.Rect(legend.areaRect);
    in.Int32(legend.showLegend);
    in.Font(legend.legendFont.logFont);
    in.Float(legend.legendFont.heightDivisor);
    in.UInt32(legend.legendColor);
    in.Int32(legend.tickDivisor);
}

void WriteCounts(ByteWriter& out, const std::vector<CIntervalCounts>& counts)
{
    out.Int32(static_cast<std::int32_t>(counts.size()));
    for (const CIntervalCounts& c : counts) {
        out.Int32(c.entered);
        out.Int32(c.censored);
        out.Int32(c.dead);
    }
}

bool ReadCounts(ByteReader& in, std::vector<CIntervalCounts>& counts)
{
    std::int32_t n = 0;
    if (!in.Count(n, kCountsBytes)) return false;
    counts.assign(static_cast<std::size_t>(n), {});
    for (CIntervalCounts& c : counts) {
        in.Int32(c.entered);
        in.Int32(c.censored);
        in.Int32(c.dead);
    }
    return in.ok();
}

void WriteDoubles(ByteWriter& out, const std::vector<double>& values)
{
    out.Int32(static_cast<std::int32_t>(values.size()));
    for (double v : values) out.Double(v);
}

bool ReadDoubles(ByteReader& in, std::vector<double>& values)
{
    std::int32_t n = 0;
    if (!in.Count(n, sizeof(double))) return false;
    values.assign(static_cast<std::size_t>(n), 0.0);
    for (double& v : values) in.Double(v);
    return in.ok();
}

void WriteTimePoints(ByteWriter& out, const std::vector<CTimePointResult>& points, const std::string& eventCode)
{
    out.Int32(static_cast<std::int32_t>(points.size()));
    for (const CTimePointResult& p : points) {
        out.Int32(p.entryDays);
        out.Int32(p.survivalDays);
        out.Int32(p.statusText == eventCode ? kEventSlot : kCensoredSlot);
        for (double v : {p.atRisk, p.proportionSurviving, p.cumulativeSurvival, p.expectedSurvival,
                         p.relativeSurvival, p.standardError, p.lowerLimit, p.upperLimit}) {
            out.Double(v);
        }
        out.Int32(p.hasStandardError);
    }
}

bool ReadTimePoints(ByteReader& in, std::vector<CTimePointResult>& points, const CAnalysisData& analysis)
{
    std::int32_t n = 0;
    if (!in.Count(n, kRowBytes)) return false;
    const std::string censored = CensoredStatusText(analysis);
    points.assign(static_cast<std::size_t>(n), {});
    for (CTimePointResult& p : points) {
        std::int32_t slot = 0;
        in.Int32(p.entryDays);
        in.Int32(p.survivalDays);
        in.Int32(slot);
        p.statusText = slot == kEventSlot ? analysis.eventCode : censored;
        for (double* v : {&p.atRisk, &p.proportionSurviving, &p.cumulativeSurvival, &p.expectedSurvival,
                          &p.relativeSurvival, &p.standardError, &p.lowerLimit, &p.upperLimit}) {
            in.Double(*v);
        }
        in.Int32(p.hasStandardError);
    }
    return in.ok();
}

void WriteIntervalTable(ByteWriter& out, const CIntervalResultTable& table)
{
    out.Int32(table.timeUnit);
    out.Int32(table.maxObservationDays);
    out.String(table.ciLevelText);
    out.Int32(static_cast<std::int32_t>(table.rows.size()));
    for (const CIntervalResult& r : table.rows) {
        out.Int32(r.intervalNumber);
        for (double v : {r.reserved, r.exposedToRisk, r.intervalSurvival, r.cumulativeSurvival, r.expectedSurvival,
                         r.relativeSurvival, r.standardError, r.lowerLimit, r.upperLimit}) {
            out.Double(v);
        }
        out.Int32(r.hasStandardError);
    }
}

bool ReadIntervalTable(ByteReader& in, CIntervalResultTable& table)
{
    in.Int32(table.timeUnit);
    in.Int32(table.maxObservationDays);
    in.String(table.ciLevelText);
    std::int32_t n = 0;
    if (!in.Count(n, kRowBytes)) return false;
    table.rows.assign(static_cast<std::size_t>(n), {});
    for (CIntervalResult& r : table.rows) {
        in.Int32(r.intervalNumber);
        for (double* v : {&r.reserved, &r.exposedToRisk, &r.intervalSurvival, &r.cumulativeSurvival,
                          &r.expectedSurvival, &r.relativeSurvival, &r.standardError, &r.lowerLimit,
                          &r.upperLimit}) {
            in.Double(*v);
        }
        in.Int32(r.hasStandardError);
    }
    return in.ok();
}

void WriteGroup(ByteWriter& out, const CGroupResult& group, const std::string& eventCode)
{
    out.String(group.info.code);
    out.String(group.info.label);
    out.Int32(group.info.recordsRead);
    out.Int32(group.info.recordsValid);
    out.Int32(group.info.recordsSkipped);
    WriteCounts(out, group.countsAll);
    WriteCounts(out, group.countsAtPeriodBegin);
    WriteCounts(out, group.countsAtPeriodEnd);
    WriteTimePoints(out, group.timePoints, eventCode);
    WriteDoubles(out, group.expectedInterval);
    WriteDoubles(out, group.expectedCumulative);
    WriteIntervalTable(out, group.intervalTable);
}

bool ReadGroup(ByteReader& in, CGroupResult& group, const CAnalysisData& analysis)
{
    in.String(group.info.code);
    in.String(group.info.label);
    in.Int32(group.info.recordsRead);
    in.Int32(group.info.recordsValid);
    in.Int32(group.info.recordsSkipped);
    return ReadCounts(in, group.countsAll) && ReadCounts(in, group.countsAtPeriodBegin) &&
           ReadCounts(in, group.countsAtPeriodEnd) && ReadTimePoints(in, group.timePoints, analysis) &&
           ReadDoubles(in, group.expectedInterval) && ReadDoubles(in, group.expectedCumulative) &&
           ReadIntervalTable(in, group.intervalTable);
}

void WriteStrings(ByteWriter& out, const std::vector<std::string>& texts)
{
    out.Int32(static_cast<std::int32_t>(texts.size()));
    for (const std::string& t : texts) out.String(t);
}

bool ReadStrings(ByteReader& in, std::vector<std::string>& texts)
{
    std::int32_t n = 0;
    if (!in.Count(n, kStringBytes)) return false;
    texts.assign(static_cast<std::size_t>(n), {});
    for (std::string& t : texts) in.String(t);
    return in.ok();
}

void WriteAnalysis(ByteWriter& out, const CAnalysisData& a)
{
    out.String(a.title);
    out.String(a.eventCode);
    out.String(a.sexCodeFirst);
    out.String(a.ciLevelText);
    for (std::int32_t v : {a.timeUnit, a.periodTechnique, a.relativeSurvival, a.useHakulinen, a.survivalYears,
                           a.periodWidth, a.maxObservationDays}) {
        out.Int32(v);
    }
    out.Double(a.maxRelativeUpper);
    for (const DateValue* d : {&a.firstBeginDate, &a.lastEndDate, &a.windowBegin, &a.windowEnd, &a.periodBegin,
                               &a.periodEnd, &a.closingDate}) {
        out.Double(d->serial());
    }
    WriteStrings(out, a.statusCodes);
    WriteStrings(out, a.sexCodes);
    out.Int32(static_cast<std::int32_t>(a.groupResults.size()));
    for (const CGroupResult& g : a.groupResults) WriteGroup(out, g, a.eventCode);
}

bool ReadAnalysis(ByteReader& in, CAnalysisData& a)
{
    in.String(a.title);
    in.String(a.eventCode);
    in.String(a.sexCodeFirst);
    in.String(a.ciLevelText);
    for (std::int32_t* v : {&a.timeUnit, &a.periodTechnique, &a.relativeSurvival, &a.useHakulinen,
                            &a.survivalYears, &a.periodWidth, &a.maxObservationDays}) {
        in.Int32(*v);
    }
    in.Double(a.maxRelativeUpper);
    // Dates come back valid whatever their status was when saved.
    for (DateValue* d : {&a.firstBeginDate, &a.lastEndDate, &a.windowBegin, &a.windowEnd, &a.periodBegin,
                         &a.periodEnd, &a.closingDate}) {
        double serial = 0.0;
        if (in.Double(serial)) *d = DateValue::FromSerial(serial);
    }
    if (!ReadStrings(in, a.statusCodes) || !ReadStrings(in, a.sexCodes)) return false;
    std::int32_t groups = 0;
    if (!in.Count(groups, kGroupRecordMinBytes)) return false;
    a.groupResults.assign(static_cast<std::size_t>(groups), {});
    for (CGroupResult& g : a.groupResults) {
        if (!ReadGroup(in, g, a)) return false;
    }
    return true;
}

bool AxisIsDrawable(const CChartAxis& axis)
{
    return AxisRangeIsDrawable(axis.minValue, axis.maxValue, axis.stepValue);
}

void WriteChart(ByteWriter& out, const LifeTableChart& chart)
{
    out.String(Signature());
    out.String(chart.titleText);
    out.Font(chart.titleFont.logFont);
    out.Int32(static_cast<std::int32_t>(chart.titleColor));
    out.Int32(chart.titleAlign);
    out.Float(chart.titleFont.heightDivisor);
    WriteAxis(out, chart.timeAxis);
    WriteAxis(out, chart.survivalAxis);
    out.Int32(chart.chartKind);
    out.Int32(chart.seriesCount);
    out.String(chart.registrySection);
    out.Int32(static_cast<std::int32_t>(chart.seriesStyles.size()));
    for (const CSeriesStyle& style : chart.seriesStyles) WriteSeries(out, style);
    WriteAnalysis(out, chart.analysis);
    WriteLegend(out, chart.legend);
    out.String(Signature());
}

}  // namespace

std::string SerializeChart(const LifeTableChart& chart)
{
    ByteWriter out;
    WriteChart(out, chart);
    return out.TakeBytes();
}

void SerializeChart(const LifeTableChart& chart, const std::function<void(std::string_view)>& sink)
{
    ByteWriter out(sink);
    WriteChart(out, chart);
    out.Flush();
}

bool ReadChartBody(ByteReader& in, LifeTableChart& chart)
{
    in.String(chart.titleText);
    in.Font(chart.titleFont.logFont);
    in.UInt32(chart.titleColor);
    in.Int32(chart.titleAlign);
    in.Float(chart.titleFont.heightDivisor);
    if (!ReadAxis(in, chart.timeAxis) || !ReadAxis(in, chart.survivalAxis)) return false;
    in.Int32(chart.chartKind);
    in.Int32(chart.seriesCount);
    in.String(chart.registrySection);
    std::int32_t styles = 0;
    if (!in.Count(styles, kSeriesRecordBytes)) return false;
    chart.seriesStyles.assign(static_cast<std::size_t>(styles), {});
    for (CSeriesStyle& style : chart.seriesStyles) ReadSeries(in, style);
    if (!in.ok() || !ReadAnalysis(in, chart.analysis)) return false;
    ReadLegend(in, chart.legend);
    if (!in.ok()) return false;

    chart.modifiedFlag = 0;
    return chart.seriesCount == styles && chart.seriesCount <= static_cast<int>(chart.analysis.groupResults.size()) &&
           AxisIsDrawable(chart.timeAxis) && AxisIsDrawable(chart.survivalAxis);
}

ChartFileStatus ParseChartFile(std::string_view bytes, LifeTableChart& chart)
{
    ByteReader in(bytes);
    std::string signature;
    if (!in.String(signature) || signature != Signature()) return ChartFileStatus::kNotAChartFile;
    LifeTableChart read;
    if (!ReadChartBody(in, read)) return ChartFileStatus::kWrongFormat;
    if (!in.String(signature) || signature != Signature()) return ChartFileStatus::kWrongFormat;
    chart = std::move(read);
    return ChartFileStatus::kOk;
}

}  // namespace kalderon
