#include "results/WorkbookTables.h"

#include <algorithm>

#include "common/TextFormat.h"
#include "common/Utf8Text.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

bool Mentions(const std::string& heading, const char* word) { return heading.find(word) != std::string::npos; }

bool IsSurvivalBeyondObserved(const std::string& heading)
{
    return Mentions(heading, "relative survival") || Mentions(heading, "net survival");
}

bool IsErrorColumn(const std::string& heading)
{
    return Mentions(heading, "Standard error") || Mentions(heading, "CI lower") || Mentions(heading, "CI upper");
}

}  // namespace

void WorkbookTables::Begin(const std::string& title, const std::string& sheetName, std::vector<std::string> headings)
{
    headings_ = std::move(headings);
    wantedName_ = sheetName;
    sheets_.push_back(Sheet{{}, title, 0, false, {}});
    OpenSheet(sheetName);
}

void WorkbookTables::OpenSheet(const std::string& wantedName)
{
    Sheet& sheet = sheets_.back();
    sheet.name = names_.Unique(AsUtf8(wantedName));
    sheet_ = file_.AddSheet(sheet.name);
    row_ = 0;
    cellNotes_ = 0;
    for (size_t c = 0; c < headings_.size(); ++c) {
        const int column = static_cast<int>(c);
        file_.Text(sheet_, 0, column, AsUtf8(headings_[c]));
        file_.ColumnWidth(sheet_, column, std::clamp(static_cast<double>(headings_[c].size()) + 2.0, 10.0, 32.0));
    }
    if (!headings_.empty()) row_ = 1;
}

void WorkbookTables::Row(const std::vector<WorkbookCell>& cells)
{
    if (sheet_ < 0) Begin(text::kWorkbookAllCases, text::kWorkbookAllCases, {});
    if (row_ >= limits_.rowsPerSheet) {
        sheets_.back().continued = true;
        sheets_.push_back(Sheet{{}, sheets_.back().title, 0, false, {}});
        OpenSheet(wantedName_);
    }
    const char* reason = NotAvailableReason(cells);
    for (size_t c = 0; c < cells.size(); ++c) WriteCell(row_, static_cast<int>(c), cells[c], reason);
    ++row_;
    ++sheets_.back().rows;
}

const char* WorkbookTables::NotAvailableReason(const std::vector<WorkbookCell>& cells) const
{
    bool any = false, onlyErrors = true;
    for (size_t c = 0; c < cells.size(); ++c) {
        if (cells[c].kind != WorkbookCell::kNotAvailable) continue;
        any = true;
        const std::string& heading = c < headings_.size() ? headings_[c] : std::string();
        if (IsSurvivalBeyondObserved(heading)) return text::kWorkbookNoNetSurvival;
        onlyErrors = onlyErrors && IsErrorColumn(heading);
    }
    if (!any) return nullptr;
    return onlyErrors ? text::kWorkbookNoStandardError : text::kWorkbookNotAvailable;
}

void WorkbookTables::WriteCell(long row, int column, const WorkbookCell& cell, const char* naReason)
{
    switch (cell.kind) {
    case WorkbookCell::kEmpty: return;
    case WorkbookCell::kNumber: file_.Number(sheet_, row, column, cell.number, cell.decimals); return;
    case WorkbookCell::kText: file_.Text(sheet_, row, column, AsUtf8(cell.text)); return;
    case WorkbookCell::kNotAvailable: break;
    }
    if (cellNotes_ < limits_.cellNotesPerSheet) {
        file_.Note(sheet_, row, column, naReason);
        ++cellNotes_;
        return;
    }
    // The sheet's rows above are written: the first sheet says it.
    Sheet& sheet = sheets_.back();
    const std::string heading = static_cast<size_t>(column) < headings_.size() ? headings_[column] : std::string();
    const std::string note = FormatText(text::kWorkbookColumnNote, sheet.name, AsUtf8(heading), naReason);
    if (std::find(sheet.columnNotes.begin(), sheet.columnNotes.end(), note) == sheet.columnNotes.end())
        sheet.columnNotes.push_back(note);
}

std::vector<std::string> WorkbookTables::Contents() const
{
    std::vector<std::string> lines;
    for (size_t s = 0; s < sheets_.size(); ++s) {
        const Sheet& sheet = sheets_[s];
        lines.push_back(FormatText(text::kWorkbookSheetLine, sheet.name, AsUtf8(sheet.title), sheet.rows));
        lines.insert(lines.end(), sheet.columnNotes.begin(), sheet.columnNotes.end());
        if (sheet.continued) lines.push_back(FormatText(text::kWorkbookContinued, sheet.name, sheets_[s + 1].name));
    }
    return lines;
}

}  // namespace kalderon
