#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "results/ResultTextWriter.h"
#include "results/WorkbookTables.h"

namespace kalderon {

// Writes the header and the group sections of a result report into a
// workbook: each table (at every export header) on a sheet of its own, its
// rows made from the values the export is written with, so that numbers
// keep every digit; the report's other lines (header, group facts, notes)
// are kept for the first sheet.
class WorkbookWriter final : public ResultTextWriter {
public:
    WorkbookWriter(WorkbookTables& tables, bool groupColumn) : tables_(tables), groupColumn_(groupColumn) {}

    void BeginSection(int index, const std::string& groupCode) override;
    void Append(std::string_view text) override;
    void ExportHeader(const std::string& header) override;

    // The report's lines other than tables, without empty lines and rules.
    const std::vector<std::string>& ReportLines() const { return lines_; }

private:
    void AppendReportLine(const std::string& format, const PrintfValue* values, size_t count, bool reworded) override;
    void AppendRow(LineFormat, LineFormat exportLine, const PrintfValue* values, size_t count) override;
    void EndRow(int) override {}
    const ExportLineCells& CellsOf(const char* format);

    WorkbookTables& tables_;
    bool groupColumn_;
    std::string groupCode_;
    std::vector<std::string> lines_;
    std::unordered_map<std::string, std::unique_ptr<ExportLineCells>> formats_;
    const ExportLineCells* last_ = nullptr;
    std::vector<WorkbookCell> cells_;  // kept, so that each row reuses its room
};

}  // namespace kalderon
