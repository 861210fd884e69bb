#include "results/WorkbookCells.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace kalderon {
namespace {

std::string_view WithoutLineEnd(std::string_view line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    return line;
}

// The conversion starting at format[at] (just after its '%'): its length
// and conversion character.
size_t ConversionLength(std::string_view format, size_t at, char& conversion, int& precision)
{
    size_t i = at;
    while (i < format.size() && std::strchr("-+ 0#", format[i])) ++i;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') ++i;
    precision = -1;
    if (i < format.size() && format[i] == '.') {
        precision = 0;
        for (++i; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i)
            precision = precision * 10 + (format[i] - '0');
    }
    while (i < format.size() && std::strchr("hlLqjzt", format[i])) ++i;
    conversion = i < format.size() ? format[i] : 0;
    return i + 1 - at;
}

WorkbookCell::Kind LiteralKind(const std::string& text)
{
    if (text.empty()) return WorkbookCell::kEmpty;
    return text == "NA" ? WorkbookCell::kNotAvailable : WorkbookCell::kText;
}

double AsDouble(const PrintfValue& v)
{
    switch (v.kind) {
    case PrintfValue::kInt:
    case PrintfValue::kLong: return static_cast<double>(v.integer);
    case PrintfValue::kUnsigned:
    case PrintfValue::kUnsignedLong: return static_cast<double>(v.unsignedInteger);
    case PrintfValue::kDouble: return v.real;
    case PrintfValue::kString: return std::strtod(v.text, nullptr);
    }
    return 0.0;
}

void SetText(WorkbookCell& cell, std::string_view text)
{
    cell.kind = text.empty() ? WorkbookCell::kEmpty : text == "NA" ? WorkbookCell::kNotAvailable : WorkbookCell::kText;
    cell.text.assign(text);
}

}  // namespace

std::vector<std::string> SplitFields(std::string_view line, char separator)
{
    line = WithoutLineEnd(line);
    std::vector<std::string> fields;
    for (size_t begin = 0;;) {
        const size_t end = line.find(separator, begin);
        fields.emplace_back(line.substr(begin, end == std::string_view::npos ? line.size() - begin : end - begin));
        if (end == std::string_view::npos) break;
        begin = end + 1;
    }
    return fields;
}

ExportLineCells::ExportLineCells(const std::string& format) : format_(format)
{
    size_t value = 0;
    for (const std::string& text : SplitFields(format)) {
        Field field;
        field.value = value;
        std::string literal;
        char numeric = 0;
        int precision = -1;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '%') {
                literal += text[i];
            } else if (i + 1 < text.size() && text[i + 1] == '%') {
                literal += '%';
                ++i;
            } else {
                char conversion = 0;
                i += ConversionLength(text, i + 1, conversion, precision);
                numeric = conversion;
                ++field.values;
            }
        }
        value += field.values;
        if (field.values == 0) {
            field.kind = LiteralKind(literal);
            field.text = literal;
        } else if (field.values == 1 && literal.empty() && numeric == 's') {
            field.fromValue = true;
        } else if (field.values == 1 && literal.empty() && std::strchr("diufFeEgG", numeric)) {
            field.kind = WorkbookCell::kNumber;
            field.fromValue = true;
            field.decimals = std::strchr("diu", numeric) ? 0 : std::strchr("fF", numeric) ? (precision < 0 ? 6 : precision) : -1;
        } else {
            field.text = text;  // written as the export writes it
        }
        fields_.push_back(std::move(field));
    }
}

void ExportLineCells::Fill(std::vector<WorkbookCell>& cells, const PrintfValue* values, size_t count) const
{
    cells.resize(fields_.size());
    for (size_t f = 0; f < fields_.size(); ++f) {
        const Field& field = fields_[f];
        WorkbookCell& cell = cells[f];
        if (field.value + field.values > count) {
            cell.kind = WorkbookCell::kEmpty;
        } else if (field.kind == WorkbookCell::kNumber) {
            cell.kind = WorkbookCell::kNumber;
            cell.number = AsDouble(values[field.value]);
            cell.decimals = field.decimals;
        } else if (field.fromValue) {
            SetText(cell, values[field.value].text);
        } else if (field.values > 0) {
            cell.text.clear();
            AppendPrintf(cell.text, field.text.c_str(), values + field.value, field.values);
            SetText(cell, std::string(cell.text));
        } else {
            cell.kind = field.kind;
            cell.text = field.text;
        }
    }
}

void SetNumberCell(WorkbookCell& cell, double value, std::string_view written)
{
    cell.kind = WorkbookCell::kNumber;
    cell.number = value;
    const size_t point = written.find('.');
    cell.decimals = written.find_first_of("eE") != std::string_view::npos ? -1
                    : point == std::string_view::npos                   ? 0
                                                                        : static_cast<int>(written.size() - point - 1);
}

void SetTextCell(WorkbookCell& cell, std::string_view text)
{
    const std::string field(text);
    char* end = nullptr;
    const double number = field.empty() ? 0.0 : std::strtod(field.c_str(), &end);
    const bool whole = end && *end == '\0' && std::isfinite(number) &&
                       field.find_first_not_of("+-.0123456789eE") == std::string::npos;
    if (whole)
        SetNumberCell(cell, number, text);
    else
        SetText(cell, text);
}

void TextLineCells(std::string_view line, std::vector<WorkbookCell>& cells, char separator)
{
    const std::vector<std::string> fields = SplitFields(line, separator);
    cells.resize(fields.size());
    for (size_t f = 0; f < fields.size(); ++f) SetTextCell(cells[f], fields[f]);
}

}  // namespace kalderon
