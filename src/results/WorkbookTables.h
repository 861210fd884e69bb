#pragma once

#include <string>
#include <vector>

#include "results/WorkbookCells.h"
#include "results/WorkbookFile.h"
#include "results/WorkbookSheetNames.h"

namespace kalderon {

// How much a sheet takes: rows (the heading row included) and notes on
// single cells; the defaults are those of a spreadsheet and a number of
// notes that costs next to nothing.
struct WorkbookLimits {
    long rowsPerSheet = 1048576;
    long cellNotesPerSheet = WorkbookFile::kNotesPerSheet;
};

// The tables of a results workbook, each on a sheet of its own under a row
// of headings; a table longer than a sheet goes on on further sheets with
// the same headings.  A cell that is NA stays empty with a note saying why
// (the row's relative or net survival not shown; no standard error when
// only that and its limits are NA; else not available); past the notes a sheet may have, the column's
// heading says it for the rest.
class WorkbookTables {
public:
    WorkbookTables(WorkbookFile& file, WorkbookSheetNames& names, const WorkbookLimits& limits)
        : file_(file), names_(names), limits_(limits) {}

    // A new table: what it holds (said on the first sheet), the name its
    // sheet would like, its headings.
    void Begin(const std::string& title, const std::string& sheetName, std::vector<std::string> headings);
    bool InTable() const { return sheet_ >= 0; }
    // The next row of the current table.
    void Row(const std::vector<WorkbookCell>& cells);

    // A line for each sheet (name, what it holds, its rows), for each column
    // with NA cells past the notes and for each table that went on on a
    // further sheet.
    std::vector<std::string> Contents() const;

private:
    struct Sheet {
        std::string name;
        std::string title;
        long rows = 0;
        bool continued = false;  // the table goes on on the next sheet
        std::vector<std::string> columnNotes;
    };

    void OpenSheet(const std::string& wantedName);
    void WriteCell(long row, int column, const WorkbookCell& cell, const char* naReason);
    const char* NotAvailableReason(const std::vector<WorkbookCell>& cells) const;

    WorkbookFile& file_;
    WorkbookSheetNames& names_;
    WorkbookLimits limits_;
    std::vector<Sheet> sheets_;
    std::string wantedName_;
    std::vector<std::string> headings_;
    int sheet_ = -1;
    long row_ = 0;
    long cellNotes_ = 0;
};

}  // namespace kalderon
