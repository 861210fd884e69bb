#include "results/ExportTable.h"

#include "common/TextFormat.h"

namespace kalderon {

void ExportRow::Separate()
{
    if (!cells_.empty()) line_ += ';';
    cells_.emplace_back();
}

ExportRow& ExportRow::Text(std::string_view text)
{
    Separate();
    line_ += text;
    SetTextCell(cells_.back(), text);
    return *this;
}

ExportRow& ExportRow::Number(const char* format, double value)
{
    Separate();
    const size_t start = line_.size();
    AppendText(line_, format, value);
    SetNumberCell(cells_.back(), WithoutNegativeZero(value), std::string_view(line_).substr(start));
    return *this;
}

ExportRow& ExportRow::Integer(long value)
{
    Separate();
    AppendText(line_, "%ld", value);
    cells_.back() = WorkbookCell{WorkbookCell::kNumber, static_cast<double>(value), 0, {}};
    return *this;
}

ExportRow& ExportRow::Number(const char* format, double value, bool known)
{
    return known ? Number(format, value) : Text("NA");
}

ExportRow& ExportRow::Number(const char* format, const std::optional<double>& value)
{
    return value ? Number(format, *value) : Text("NA");
}

}  // namespace kalderon
