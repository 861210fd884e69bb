#include "results/ReportWriter.h"

#include <string_view>
#include <utility>

#include "stats/TimeUnit.h"

namespace kalderon {

ReportWriter::ReportWriter(std::string& report, ExportText& exportText, bool groupColumn, WrittenTexts texts)
    : report_(report),
      export_(exportText),
      groupColumn_(groupColumn),
      writesReport_(texts == WrittenTexts::kReport),
      writesExport_(texts == WrittenTexts::kExport)
{
}

void ReportWriter::BeginSection(int index, const std::string& groupCode)
{
    section_ = index;
    rowsInSection_ = 0;
    if (groupColumn_ && writesExport_) export_.BeginGroup(groupCode);
}

void ReportWriter::ExportHeader(const std::string& header)
{
    if (section_ != 0 || !writesExport_) return;
    if (groupColumn_) export_.Append("Group;");
    export_.Append(Reworded(header));
}

// "rel. survival" keeps its column width as "net survival ".
std::string ReportWriter::Reworded(std::string heading) const
{
    if (!netSurvivalWording_) return heading;
    for (const auto& [from, to] : {std::pair<std::string_view, std::string_view>{"rel. survival", "net survival "},
                                   {"relative survival", "net survival"}})
        for (size_t at = heading.find(from); at != std::string::npos; at = heading.find(from, at + to.size()))
            heading.replace(at, from.size(), to);
    return heading;
}

void ReportWriter::TableRow(const std::string& reportLine, const std::string& exportLine)
{
    UncountedRow(reportLine, exportLine);
    CountRow();
}

void ReportWriter::UncountedRow(const std::string& reportLine, const std::string& exportLine)
{
    if (writesReport_) report_ += reportLine;
    if (writesExport_) AppendExportLine(exportLine);
}

void ReportWriter::AppendExportLine(std::string_view exportLine)
{
    if (groupColumn_)
        export_.AppendRow(exportLine);
    else
        export_.Append(exportLine);
}

void ReportWriter::CountRow()
{
    rowsInSection_ += 1;
    if (rowsInSection_ % 5 == 0 && writesReport_) report_ += "\n";
    if (drain_) drain_();
}

void WriteTableHeading(ReportWriter& out, const TableHeading& heading, const std::string& ciLevelText,
                       std::int32_t timeUnit)
{
    int unit = 0;
    switch (timeUnit) {
    case kUnitMonth: unit = 1; break;
    case kUnitWeek: unit = 2; break;
    case kUnitDay: unit = 3; break;
    default: break;
    }
    out.AppendHeading(heading.levelLine, ciLevelText);
    out.AppendHeading(heading.unitLines[unit]);
    out.AppendHeading(heading.ruleLine);
    out.ExportHeader(heading.exportHeader);
}

}  // namespace kalderon
