#pragma once

#include <ctime>
#include <memory>
#include <string>

namespace kalderon {

// An .xlsx workbook written cell by cell to a new file beside `path` that
// takes its place on Close.  Sheets are written one after the other (in any
// order), each row by row from the top and each row from left to right, and
// compressed as they are written: a sheet's column widths are set before
// its second row, its notes before another sheet is written.  Texts are
// UTF-8.
class WorkbookFile {
public:
    explicit WorkbookFile(const std::string& path);
    WorkbookFile(const WorkbookFile&) = delete;
    WorkbookFile& operator=(const WorkbookFile&) = delete;
    ~WorkbookFile();

    // Sheets come in the order they are added; the index addresses one.
    int AddSheet(const std::string& name);
    void Text(int sheet, long row, int column, const std::string& text);
    // Shown with `decimals` decimals, with as many as it needs when -1.
    void Number(int sheet, long row, int column, double value, int decimals);
    void DateTime(int sheet, long row, int column, const std::tm& when);
    // At most kNotesPerSheet notes a sheet; further ones are left out.
    static constexpr long kNotesPerSheet = 1000;
    void Note(int sheet, long row, int column, const std::string& text);
    void ColumnWidth(int sheet, int column, double characters);

    // Writes the file and puts it in place of any old one; false with the
    // reason when that, or anything written before, failed.
    bool Close(std::string& reason);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace kalderon
