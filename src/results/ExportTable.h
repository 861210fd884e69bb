#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/WorkbookCells.h"

namespace kalderon {

// A row of an export's table built field by field: its line as the export
// writes it (fields separated by ';', ended by "\n") and its cells, each
// number the value itself with the decimals it is written with.
class ExportRow {
public:
    // A text: a code or a name, "NA" or "" as such, a number written before as text.
    ExportRow& Text(std::string_view text);
    // `value` written with `format`, a single conversion of a double ("%f", "%.10g" ...).
    ExportRow& Number(const char* format, double value);
    ExportRow& Integer(long value);
    // `value` with `format` when known, else "NA".
    ExportRow& Number(const char* format, double value, bool known);
    ExportRow& Number(const char* format, const std::optional<double>& value);

    const std::string& line() const { return line_; }
    const std::vector<WorkbookCell>& cells() const { return cells_; }

private:
    void Separate();

    std::string line_;
    std::vector<WorkbookCell> cells_;
};

// A table of an export kept as the values its rows are written with: what
// it holds (the name of its sheet in a workbook), its headings and rows
// (the group's code first in a table with a group column).
struct ExportTable {
    std::string title;
    std::vector<std::string> headings;
    std::vector<std::vector<WorkbookCell>> rows;
};

}  // namespace kalderon
