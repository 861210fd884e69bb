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

// The two directions of a transfer.  Every record of the file is described
// once, by a Transfer function that calls an Io for each field in file order:
// ChartOut writes the field, ChartIn reads it into the record.
class ChartOut {
public:
    static constexpr bool kReading = false;
    explicit ChartOut(ByteWriter& out) : out_(out) {}

    void Int32(std::int32_t value) { out_.Int32(value); }
    void Colour(ColorRef value) { out_.Int32(static_cast<std::int32_t>(value)); }
    void Float(float value) { out_.Float(value); }
    void Double(double value) { out_.Double(value); }
    void String(const std::string& text) { out_.String(text); }
    void Rect(const ChartRect& rect) { out_.Rect(rect); }
    void Font(const LogFont& font) { out_.Font(font); }
    void Date(const DateValue& date) { out_.Double(date.serial()); }
    // The element count of a list.
    template <class T>
    bool Elements(const std::vector<T>& list, std::size_t)
    {
        out_.Int32(static_cast<std::int32_t>(list.size()));
        return true;
    }
    bool ok() const { return true; }

private:
    ByteWriter& out_;
};

class ChartIn {
public:
    static constexpr bool kReading = true;
    explicit ChartIn(ByteReader& in) : in_(in) {}

    void Int32(std::int32_t& value) { in_.Int32(value); }
    void Colour(ColorRef& value) { in_.UInt32(value); }
    void Float(float& value) { in_.Float(value); }
    void Double(double& value) { in_.Double(value); }
    void String(std::string& text) { in_.String(text); }
    void Rect(ChartRect& rect) { in_.Rect(rect); }
    void Font(LogFont& font) { in_.Font(font); }
    // Dates come back valid whatever their status was when saved.
    void Date(DateValue& date)
    {
        double serial = 0.0;
        if (in_.Double(serial)) date = DateValue::FromSerial(serial);
    }
    // Reads the element count of a list and makes room for that many; fails
    // on a count the rest of the file cannot hold, at minBytes an element.
    template <class T>
    bool Elements(std::vector<T>& list, std::size_t minBytes)
    {
        std::int32_t n = 0;
        if (!in_.Count(n, minBytes)) return false;
        list.assign(static_cast<std::size_t>(n), {});
        return true;
    }
    bool ok() const { return in_.ok(); }

private:
    ByteReader& in_;
};

// In the Transfer functions, Io is ChartOut or ChartIn, and the record is
// const when written.
template <class Io, class Axis>
bool TransferAxis(Io& io, Axis& axis)
{
    io.Int32(axis.isVertical);
    io.String(axis.registryKey);
    io.String(axis.labelText);
    io.Int32(axis.titleAlign);
    io.Rect(axis.areaRect);
    io.Double(axis.minValue);
    io.Double(axis.maxValue);
    io.Double(axis.stepValue);
    io.Int32(axis.skipFirstTick);
    io.Font(axis.labelFont.logFont);
    io.Font(axis.numberFont.logFont);
    io.Float(axis.labelFont.heightDivisor);
    io.Colour(axis.labelColor);
    io.Colour(axis.numberColor);
    io.Float(axis.numberFont.heightDivisor);
    io.Int32(axis.tickDivisor);
    return io.ok();
}

template <class Io, class Line>
void TransferLine(Io& io, Line& line)
{
    io.Colour(line.lineColor);
    io.Int32(line.lineWidth);
    io.Int32(line.penStyle);
}

template <class Io, class Style>
void TransferSeries(Io& io, Style& style)
{
    io.Int32(style.showSeries);
    io.Int32(style.showCI);
    TransferLine(io, style.survivalLine);
    TransferLine(io, style.ciLine);
    io.Colour(style.marker.lineColor);
    io.Colour(style.marker.fillColor);
    io.Int32(style.marker.markerSize);
    io.Int32(style.marker.symbol);
}

template <class Io, class Legend>
void TransferLegend(Io& io, Legend& legend)
{
    io.String(legend.registryKey);
    io.String(legend.ciLabel);
    io.String(legend.ciPrefix);
    io.Int32(legend.legendPosition);
    io.Rect(legend.areaRect);
    io.Int32(legend.showLegend);
    io.Font(legend.legendFont.logFont);
    io.Float(legend.legendFont.heightDivisor);
    io.Colour(legend.legendColor);
    io.Int32(legend.tickDivisor);
}

template <class Io, class Counts>
bool TransferCounts(Io& io, Counts& counts)
{
    if (!io.Elements(counts, kCountsBytes)) return false;
    for (auto& c : counts) {
        io.Int32(c.entered);
        io.Int32(c.censored);
        io.Int32(c.dead);
    }
    return io.ok();
}

template <class Io, class Values>
bool TransferDoubles(Io& io, Values& values)
{
    if (!io.Elements(values, sizeof(double))) return false;
    for (auto& v : values) io.Double(v);
    return io.ok();
}

template <class Io, class Texts>
bool TransferStrings(Io& io, Texts& texts)
{
    if (!io.Elements(texts, kStringBytes)) return false;
    for (auto& t : texts) io.String(t);
    return io.ok();
}

// The four-byte slot of a product-limit row holds whether the row is an
// event (1) or censored (0); its status text is rebuilt from that on reading.
template <class Io, class Points>
bool TransferTimePoints(Io& io, Points& points, const CAnalysisData& analysis)
{
    if (!io.Elements(points, kRowBytes)) return false;
    const std::string censored = Io::kReading ? CensoredStatusText(analysis) : std::string();
    for (auto& p : points) {
        io.Int32(p.entryDays);
        io.Int32(p.survivalDays);
        if constexpr (Io::kReading) {
            std::int32_t slot = 0;
            io.Int32(slot);
            p.statusText = slot == kEventSlot ? analysis.eventCode : censored;
        } else {
            io.Int32(p.statusText == analysis.eventCode ? kEventSlot : kCensoredSlot);
        }
        for (auto* v : {&p.atRisk, &p.proportionSurviving, &p.cumulativeSurvival, &p.expectedSurvival,
                        &p.relativeSurvival, &p.standardError, &p.lowerLimit, &p.upperLimit}) {
            io.Double(*v);
        }
        io.Int32(p.hasStandardError);
    }
    return io.ok();
}

template <class Io, class Table>
bool TransferIntervalTable(Io& io, Table& table)
{
    io.Int32(table.timeUnit);
    io.Int32(table.maxObservationDays);
    io.String(table.ciLevelText);
    if (!io.Elements(table.rows, kRowBytes)) return false;
    for (auto& r : table.rows) {
        io.Int32(r.intervalNumber);
        for (auto* v : {&r.reserved, &r.exposedToRisk, &r.intervalSurvival, &r.cumulativeSurvival,
                        &r.expectedSurvival, &r.relativeSurvival, &r.standardError, &r.lowerLimit, &r.upperLimit}) {
            io.Double(*v);
        }
        io.Int32(r.hasStandardError);
    }
    return io.ok();
}

template <class Io, class Group>
bool TransferGroup(Io& io, Group& group, const CAnalysisData& analysis)
{
    io.String(group.info.code);
    io.String(group.info.label);
    io.Int32(group.info.recordsRead);
    io.Int32(group.info.recordsValid);
    io.Int32(group.info.recordsSkipped);
    return TransferCounts(io, group.countsAll) && TransferCounts(io, group.countsAtPeriodBegin) &&
           TransferCounts(io, group.countsAtPeriodEnd) && TransferTimePoints(io, group.timePoints, analysis) &&
           TransferDoubles(io, group.expectedInterval) && TransferDoubles(io, group.expectedCumulative) &&
           TransferIntervalTable(io, group.intervalTable);
}

template <class Io, class Analysis>
bool TransferAnalysis(Io& io, Analysis& a)
{
    io.String(a.title);
    io.String(a.eventCode);
    io.String(a.sexCodeFirst);
    io.String(a.ciLevelText);
    for (auto* v : {&a.timeUnit, &a.periodTechnique, &a.relativeSurvival, &a.useHakulinen, &a.survivalYears,
                    &a.periodWidth, &a.maxObservationDays}) {
        io.Int32(*v);
    }
    io.Double(a.maxRelativeUpper);
    for (auto* d : {&a.firstBeginDate, &a.lastEndDate, &a.windowBegin, &a.windowEnd, &a.periodBegin, &a.periodEnd,
                    &a.closingDate}) {
        io.Date(*d);
    }
    if (!TransferStrings(io, a.statusCodes) || !TransferStrings(io, a.sexCodes)) return false;
    if (!io.Elements(a.groupResults, kGroupRecordMinBytes)) return false;
    for (auto& g : a.groupResults) {
        if (!TransferGroup(io, g, a)) return false;
    }
    return true;
}

// Everything between the two signatures.
template <class Io, class Chart>
bool TransferChartBody(Io& io, Chart& chart)
{
    io.String(chart.titleText);
    io.Font(chart.titleFont.logFont);
    io.Colour(chart.titleColor);
    io.Int32(chart.titleAlign);
    io.Float(chart.titleFont.heightDivisor);
    if (!TransferAxis(io, chart.timeAxis) || !TransferAxis(io, chart.survivalAxis)) return false;
    io.Int32(chart.chartKind);
    io.Int32(chart.seriesCount);
    io.String(chart.registrySection);
    if (!io.Elements(chart.seriesStyles, kSeriesRecordBytes)) return false;
    for (auto& style : chart.seriesStyles) TransferSeries(io, style);
    if (!io.ok() || !TransferAnalysis(io, chart.analysis)) return false;
    TransferLegend(io, chart.legend);
    return io.ok();
}

bool AxisIsDrawable(const CChartAxis& axis)
{
    return AxisRangeIsDrawable(axis.minValue, axis.maxValue, axis.stepValue);
}

void WriteChart(ByteWriter& out, const LifeTableChart& chart)
{
    out.String(Signature());
    ChartOut io(out);
    TransferChartBody(io, chart);
    out.String(Signature());
}

// Reads the body into the chart.  Fails on a file that ends early or whose
// counts exceed what it holds, and on values a drawing cannot use: a series
// count that differs from the series records or exceeds the groups, an axis
// range that is not drawable.
bool ReadChartBody(ByteReader& in, LifeTableChart& chart)
{
    ChartIn io(in);
    if (!TransferChartBody(io, chart)) return false;
    chart.modifiedFlag = 0;
    return chart.seriesCount == static_cast<std::int32_t>(chart.seriesStyles.size()) &&
           chart.seriesCount <= static_cast<int>(chart.analysis.groupResults.size()) &&
           AxisIsDrawable(chart.timeAxis) && AxisIsDrawable(chart.survivalAxis);
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
