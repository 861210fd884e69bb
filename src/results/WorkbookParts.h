#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kalderon {

// The XML parts of an .xlsx workbook other than the sheets' rows.  Sheets
// are numbered from 1 in the order of the workbook; a sheet with notes has
// a comments part and a drawing of the same number.

struct WorkbookSheetPart {
    std::string name;  // UTF-8
    bool hasNotes = false;
};

struct WorkbookNote {
    long row = 0;
    int column = 0;
    std::string text;  // UTF-8
};

// `text` as XML character data: markup escaped, characters XML cannot hold dropped.
void AppendXmlText(std::string& out, std::string_view text);
// "A1" for row 0, column 0.
void AppendCellReference(std::string& out, long row, int column);

std::string ContentTypesXml(const std::vector<WorkbookSheetPart>& sheets);
std::string PackageRelationsXml();
std::string WorkbookXml(const std::vector<WorkbookSheetPart>& sheets);
std::string WorkbookRelationsXml(size_t sheets);
// Cell style 0 is the plain one, style i + 1 shows numbers with numberFormats[i].
std::string StylesXml(const std::vector<std::string>& numberFormats);

// A sheet up to its first row, with the columns' widths in characters.
std::string SheetStartXml(const std::map<int, double>& widths, bool selected);
std::string SheetEndXml(bool hasNotes);
std::string SheetRelationsXml(int sheet);
std::string CommentsXml(const std::vector<WorkbookNote>& notes);
std::string NoteDrawingXml(int sheet, const std::vector<WorkbookNote>& notes);

}  // namespace kalderon
