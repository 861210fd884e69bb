#include "results/ExportTextWriter.h"

namespace kalderon {

void ExportTextWriter::BeginSection(int index, const std::string& groupCode)
{
    ResultTextWriter::BeginSection(index, groupCode);
    if (groupColumn_) text_.BeginGroup(groupCode);
}

void ExportTextWriter::ExportHeader(const std::string& header)
{
    if (!InFirstSection()) return;
    if (groupColumn_) text_.Append("Group;");
    text_.Append(Reworded(header));
}

void ExportTextWriter::AppendRow(LineFormat, LineFormat exportLine, const PrintfValue* values, size_t count)
{
    line_.clear();
    exportLine.AppendTo(line_, values, count);
    if (groupColumn_)
        text_.AppendRow(line_);
    else
        text_.Append(line_);
}

}  // namespace kalderon
