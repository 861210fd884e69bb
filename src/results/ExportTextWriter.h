#pragma once

#include <string>
#include <string_view>

#include "results/ExportText.h"
#include "results/ResultTextWriter.h"

namespace kalderon {

// Writes the semicolon-separated export of a result report; with a group
// column, each row after the code of its section's group.
class ExportTextWriter final : public ResultTextWriter {
public:
    ExportTextWriter(ExportText& text, bool groupColumn) : text_(text), groupColumn_(groupColumn) {}

    void BeginSection(int index, const std::string& groupCode) override;
    void Append(std::string_view) override {}
    void ExportHeader(const std::string& header) override;

private:
    void AppendReportLine(const std::string&, const PrintfValue*, size_t, bool) override {}
    void AppendRow(LineFormat, LineFormat exportLine, const PrintfValue* values, size_t count) override;
    void EndRow(int) override {}

    ExportText& text_;
    bool groupColumn_;
    std::string line_;  // kept, so that each row reuses its room
};

}  // namespace kalderon
