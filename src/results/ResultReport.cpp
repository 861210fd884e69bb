#include "results/ResultReport.h"

#include <algorithm>
#include <future>
#include <utility>
#include <vector>

#include "common/LargeArrays.h"
#include "results/ExportTextWriter.h"
#include "results/ReportBlocks.h"
#include "results/ReportHeader.h"
#include "results/ReportTextWriter.h"
#include "results/TimeUnitName.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

// Room for the lines of a product-limit table made up front, more than its
// longest lines take: a large allocation takes memory page by page as it is
// written, so room left unused costs none, while texts grown by doubling
// would be copied and held twice for a moment.
constexpr size_t kReportBytesPerTimePoint = 128;
constexpr size_t kExportBytesPerTimePoint = 112;

// Groups that no case was counted into (all but the first after an analysis
// without strata) have no section.
bool HasSection(const CGroupResult& group) { return group.info.recordsRead > 0; }

void WriteAnalysisBlock(ResultTextWriter& out, const CAnalysisData& data, AnalysisKind kind, const CGroupResult& group)
{
    switch (kind) {
    case kLifeTable:
        WriteLifeTableBlock(out, data, group);
        break;
    case kSmrSir:
        WriteSmrSirBlock(out, data, group);
        break;
    case kPeriodAnalysis:
        if (data.periodTechnique == kProductLimitTechnique)
            WriteProductLimitBlock(out, data, group, true);
        else
            WritePeriodLifeTableBlock(out, data, group);
        break;
    case kTrend:
        WriteTrendBlock(out, data, group);
        break;
    case kProductLimit:
        WriteProductLimitBlock(out, data, group, false);
        break;
    case kCumulativeIncidence:
        WriteCumulativeIncidenceBlock(out, data, group);
        break;
    case kCoxRegression:
        break;
    }
}

// After a group's table, where its net survival cannot be trusted.
void WriteUnstableNetSurvivalNote(ResultTextWriter& out, const CAnalysisData& data, const CGroupResult& group)
{
    if (!data.UsesNetSurvival() || group.netUnstableFromDay < 0) return;
    out.Append("\r\n");
    out.Append(FormatText(data.netSurvivalRaw ? text::kNetSurvivalUnstableRawNote : text::kNetSurvivalUnstableNote,
                          group.netUnstableFromDay / UnitDays(data.timeUnit), TimeUnitName(data.timeUnit)));
}

void WriteGroupHeading(ResultTextWriter& out, const std::string& code)
{
    const std::string heading = FormatText(LoadString(690), code);
    out.Append(heading);
    const size_t width = heading.size() >= 2 ? heading.size() - 2 : 0;  // without "\r\n"
    out.Append(std::string(width, '-'));
    out.Append("\r\n");
}

void WriteRecordCounts(ResultTextWriter& out, const CGroupInfo& info)
{
    out.AppendString(601, static_cast<long>(info.recordsValid) + info.recordsSkipped);
    out.AppendString(602, static_cast<long>(info.recordsValid));
    out.AppendString(603, static_cast<long>(info.recordsSkipped));
    out.Append("\r\n");
}

}  // namespace

void ResultReport::SetResults(CAnalysisData source, AnalysisKind kind, const std::string& timeStamp,
                              TextBuilding building)
{
    data_ = std::move(source);
    kind_ = kind;
    timeStamp_ = timeStamp;
    building_ = building;
    reportText_.clear();
    exportText_.clear();
    comparisonExportText_.clear();
    summaryExportText_.clear();
    comparisonTables_.clear();
    summaryTables_.clear();
    if (building == TextBuilding::kWhenWritten) return;

    size_t timePoints = 0;
    for (const CGroupResult& group : data_.groupResults)
        if (HasSection(group)) timePoints += group.timePoints.size();
    ReserveLarge(reportText_, timePoints * kReportBytesPerTimePoint);
    exportText_.Reserve(timePoints * kExportBytesPerTimePoint);
    auto exporting = std::async(std::launch::async, [this] {
        ExportTextWriter out(exportText_, HasGroupColumn());
        WriteSections(out);
    });
    ReportTextWriter out(reportText_);
    WriteSections(out);
    exporting.get();
}

bool ResultReport::HasGroupColumn() const
{
    return std::count_if(data_.groupResults.begin(), data_.groupResults.end(), HasSection) > 1;
}

void ResultReport::WriteSections(ResultTextWriter& out) const
{
    std::vector<const CGroupResult*> sections;
    for (const CGroupResult& group : data_.groupResults)
        if (HasSection(group)) sections.push_back(&group);
    const bool severalGroups = sections.size() > 1;

    if (data_.UsesNetSurvival()) out.UseNetSurvivalWording();
    WriteReportHeader(out, data_, kind_, timeStamp_);
    for (size_t g = 0; g < sections.size(); ++g) {
        const CGroupResult& group = *sections[g];
        out.BeginSection(static_cast<int>(g), GroupName(group.info));
        if (severalGroups) {
            if (g > 0) out.Append("\r\n\r\n");
            WriteGroupHeading(out, GroupName(group.info));
        }
        WriteRecordCounts(out, group.info);
        WriteAnalysisBlock(out, data_, kind_, group);
        WriteUnstableNetSurvivalNote(out, data_, group);
    }
}

void ResultReport::WriteReport(const ExportText::Sink& sink, size_t pieceBytes) const
{
    if (building_ == TextBuilding::kNow) {
        sink(reportText_);
        return;
    }
    std::string text;
    ReportTextWriter out(text);
    out.DrainAfterEachRow([&] {
        if (text.size() < pieceBytes) return;
        sink(text);
        text.clear();
    });
    WriteSections(out);
    text += reportText_;
    if (!text.empty()) sink(text);
}

void ResultReport::WriteExport(const ExportText::Sink& sink, bool crlf, size_t pieceBytes) const
{
    if (building_ == TextBuilding::kNow) {
        exportText_.Write(sink, crlf);
        return;
    }
    ExportText text;
    ExportTextWriter out(text, HasGroupColumn());
    out.DrainAfterEachRow([&] {
        if (text.size() >= pieceBytes) text.Drain(sink, crlf);
    });
    WriteSections(out);
    text.Append(exportText_);
    text.Write(sink, crlf);
}

void ResultReport::AddComparison(ComparisonTexts comparison)
{
    reportText_ += comparison.report;
    comparisonExportText_ = std::move(comparison.exportText);
    comparisonTables_ = std::move(comparison.tables);
}

void ResultReport::AddSummaries(ComparisonTexts summaries)
{
    reportText_ += summaries.report;
    summaryExportText_ = std::move(summaries.exportText);
    summaryTables_ = std::move(summaries.tables);
}

std::vector<ExportTable> ResultReport::TablesAfterGroups() const
{
    std::vector<ExportTable> tables = exportText_.tables();
    tables.insert(tables.end(), comparisonTables_.begin(), comparisonTables_.end());
    tables.insert(tables.end(), summaryTables_.begin(), summaryTables_.end());
    return tables;
}

}  // namespace kalderon
