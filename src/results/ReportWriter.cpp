#include "results/ReportWriter.h"

#include "stats/TimeUnit.h"

namespace kalderon {

ReportWriter::ReportWriter(std::string& report, ExportText& exportText, bool groupColumn)
    : report_(report), export_(exportText), groupColumn_(groupColumn)
{
}

void ReportWriter::BeginSection(int index, const std::string& groupCode)
{
    section_ = index;
    rowsInSection_ = 0;
    if (groupColumn_) export_.BeginGroup(groupCode);
}

void ReportWriter::ExportHeader(const std::string& header)
{
    if (section_ != 0) return;
    if (groupColumn_) export_.Append("Group;");
    export_.Append(header);
}

void ReportWriter::TableRow(const std::string& reportLine, const std::string& exportLine)
{
    UncountedRow(reportLine, exportLine);
    rowsInSection_ += 1;
    if (rowsInSection_ % 5 == 0) report_ += "\n";
}

void ReportWriter::UncountedRow(const std::string& reportLine, const std::string& exportLine)
{
    report_ += reportLine;
    if (groupColumn_)
        export_.AppendRow(exportLine);
    else
        export_.Append(exportLine);
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
    out.AppendString(heading.levelLine, ciLevelText);
    out.AppendString(heading.unitLines[unit]);
    out.AppendString(heading.ruleLine);
    out.ExportHeader(heading.exportHeader);
}

}  // namespace kalderon
