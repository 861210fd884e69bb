#include "results/WorkbookWriter.h"

#include <cstring>

#include "resources/Texts.h"

namespace kalderon {

void WorkbookWriter::BeginSection(int index, const std::string& groupCode)
{
    ResultTextWriter::BeginSection(index, groupCode);
    groupCode_ = groupCode;
}

void WorkbookWriter::Append(std::string_view text)
{
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
        if (line.find_first_not_of("- \t") != std::string_view::npos) lines_.emplace_back(line);
    }
}

void WorkbookWriter::AppendReportLine(const std::string& format, const PrintfValue* values, size_t count,
                                      bool reworded)
{
    if (reworded) return;  // column headings: the sheet has the export's
    std::string line;
    AppendPrintf(line, format.c_str(), values, count);
    Append(line);
}

void WorkbookWriter::ExportHeader(const std::string& header)
{
    const std::string sheet = groupColumn_ ? FormatText(text::kWorkbookGroupSheet, groupCode_) : text::kWorkbookAllCases;
    tables_.Begin(sheet, sheet, SplitFields(Reworded(header)));
}

const ExportLineCells& WorkbookWriter::CellsOf(const char* format)
{
    if (last_ && std::strcmp(last_->format().c_str(), format) == 0) return *last_;
    std::unique_ptr<ExportLineCells>& cells = formats_[format];
    if (!cells) cells = std::make_unique<ExportLineCells>(format);
    last_ = cells.get();
    return *last_;
}

void WorkbookWriter::AppendRow(LineFormat, LineFormat exportLine, const PrintfValue* values, size_t count)
{
    CellsOf(exportLine.text()).Fill(cells_, values, count);
    tables_.Row(cells_);
}

}  // namespace kalderon
