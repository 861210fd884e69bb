#pragma once

#include <string>
#include <string_view>

#include "results/ResultTextWriter.h"

namespace kalderon {

// Writes the report text of a result report.
class ReportTextWriter final : public ResultTextWriter {
public:
    explicit ReportTextWriter(std::string& report) : report_(report) {}

    void Append(std::string_view text) override { report_ += text; }
    void ExportHeader(const std::string&) override {}

private:
    void AppendReportLine(const std::string& format, const PrintfValue* values, size_t count,
                          bool reworded) override;
    void AppendRow(LineFormat reportLine, LineFormat, const PrintfValue* values, size_t count) override
    {
        reportLine.AppendTo(report_, values, count);
    }
    void EndRow(int rowsInSection) override
    {
        if (rowsInSection % 5 == 0) report_ += "\n";
    }

    std::string& report_;
};

}  // namespace kalderon
