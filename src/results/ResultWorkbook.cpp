#include "results/ResultWorkbook.h"

#include <ctime>
#include <vector>

#include "common/Utf8Text.h"
#include "resources/Texts.h"
#include "results/WorkbookWriter.h"

namespace kalderon {
namespace {

// The first sheet, written last, when every other sheet is known.
void WriteFirstSheet(WorkbookFile& file, int sheet, const ResultReport& report, const std::vector<std::string>& lines,
                     const std::vector<std::string>& contents)
{
    file.ColumnWidth(sheet, 0, 40.0);
    file.ColumnWidth(sheet, 1, 20.0);
    long row = 0;
    std::vector<WorkbookCell> cells;
    for (const std::string& line : lines) {
        TextLineCells(line, cells, '\t');  // "Data records read:\t6" as two cells
        for (size_t c = 0; c < cells.size(); ++c) {
            const int column = static_cast<int>(c);
            if (cells[c].kind == WorkbookCell::kNumber)
                file.Number(sheet, row, column, cells[c].number, cells[c].decimals);
            else if (!cells[c].text.empty())
                file.Text(sheet, row, column, AsUtf8(cells[c].text));
        }
        ++row;
    }
    std::tm created{};
    if (strptime(report.timeStamp().c_str(), "%A %d. %B %Y %X", &created)) {
        file.Text(sheet, row, 0, text::kWorkbookCreated);
        file.DateTime(sheet, row, 1, created);
        ++row;
    }
    file.Text(sheet, ++row, 0, text::kWorkbookSheetsHeading);
    for (const std::string& line : contents) file.Text(sheet, ++row, 0, line);
}

}  // namespace

bool WriteResultWorkbook(const ResultReport& report, const std::string& path, std::string& reason,
                         const WorkbookLimits& limits)
{
    WorkbookFile file(path);
    WorkbookSheetNames names;
    const int firstSheet = file.AddSheet(names.Unique(text::kWorkbookFirstSheet));
    WorkbookTables tables(file, names, limits);
    WorkbookWriter out(tables, report.HasGroupColumn());
    report.WriteSections(out);
    for (const ExportTable& table : report.TablesAfterGroups()) {
        tables.Begin(table.title, table.title, table.headings);
        for (const std::vector<WorkbookCell>& row : table.rows) tables.Row(row);
    }
    WriteFirstSheet(file, firstSheet, report, out.ReportLines(), tables.Contents());
    return file.Close(reason);
}

}  // namespace kalderon
