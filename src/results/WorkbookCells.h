#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/PrintfEngine.h"

namespace kalderon {

// A cell of a results workbook: nothing, "NA" (left empty with a note), a
// number shown with `decimals` decimals (as many as it needs when -1), or
// a text.
struct WorkbookCell {
    enum Kind { kEmpty, kNotAvailable, kNumber, kText };
    Kind kind = kEmpty;
    double number = 0.0;
    int decimals = -1;
    std::string text;
};

// An export line's format taken apart into its ';'-separated fields, each
// made a cell from the values the line is written with: a field that is a
// single numeric conversion becomes the value itself, with the decimals of
// the conversion; a literal field or a "%s" value stays text ("NA" and ""
// as such); any other field the text the export writes.
class ExportLineCells {
public:
    explicit ExportLineCells(const std::string& format);

    const std::string& format() const { return format_; }
    void Fill(std::vector<WorkbookCell>& cells, const PrintfValue* values, size_t count) const;

private:
    struct Field {
        WorkbookCell::Kind kind = WorkbookCell::kText;
        bool fromValue = false;
        std::string text;  // a literal, or the format of a field written as text
        size_t value = 0;  // the field's first value
        size_t values = 0;
        int decimals = -1;
    };
    std::string format_;
    std::vector<Field> fields_;
};

// A number cell of `value`, shown with the decimals of its text as written.
void SetNumberCell(WorkbookCell& cell, double value, std::string_view written);
// A cell of a field's text: a number in the C convention becomes that
// number with the decimals it is written with; "NA" and "" as such.
void SetTextCell(WorkbookCell& cell, std::string_view text);

// The cells of a line of the export's text, its fields separated by
// `separator`: numbers in the C convention become numbers with the
// decimals they are written with.
void TextLineCells(std::string_view line, std::vector<WorkbookCell>& cells, char separator = ';');

// The fields of a line (without its line end).
std::vector<std::string> SplitFields(std::string_view line, char separator = ';');

}  // namespace kalderon
