#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalderon {

// What a printer tells about its page: the printable area in pixels and in
// millimetres.
struct PrintDevice {
    std::int32_t horzRes = 0;   // pixels across
    std::int32_t vertRes = 0;   // pixels down
    std::int32_t horzSize = 0;  // millimetres across
    std::int32_t vertSize = 0;  // millimetres down
};

// The page of a printed report in twips: the margins on either side and
// the paper size the text is laid out on.
struct PageGeometry {
    std::int32_t marginX = 0;
    std::int32_t marginY = 0;
    std::int32_t paperWidth = 0;
    std::int32_t paperHeight = 0;
};

// Margins of ten pixels-per-millimetre steps of the paper size, and the
// paper width narrowed to the device's aspect ratio, in integer arithmetic
// with every division truncating.  A device that gives no size in
// millimetres leaves the margins at 0 and the paper as it is.
PageGeometry ResultPageGeometry(const PrintDevice& device, std::int32_t paperWidth, std::int32_t paperHeight);

// Where a line of fixed-width characters is broken to fit `columns`: the
// start of every piece after the first.  A piece ends after the last blank
// that still fits, or, when a word alone is wider, after `columns`
// characters; blanks at a break stay at the end of the piece before it, so
// every character is printed.
template <typename Char>
std::vector<size_t> WrapPoints(std::basic_string_view<Char> line, size_t columns)
{
    std::vector<size_t> points;
    if (columns == 0) return points;
    size_t start = 0;
    while (line.size() - start > columns) {
        size_t end = start + columns;  // first character that does not fit
        if (line[end] != Char(' ')) {
            size_t blank = end;
            while (blank > start && line[blank - 1] != Char(' ')) --blank;
            if (blank > start) end = blank;
        }
        while (end < line.size() && line[end] == Char(' ')) ++end;  // blanks hang at the end
        if (end >= line.size()) break;
        points.push_back(end);
        start = end;
    }
    return points;
}

// The text area of a printed page and the report font on it, in device
// units: the character advance and the line spacing at full size, and the
// band at the top of the area that the page header takes.
struct ReportPage {
    double width = 0;
    double height = 0;
    double charWidth = 0;
    double lineHeight = 0;
    double headerHeight = 0;
};

// The smallest scale of the report font that still prints readable text
// (6 points of the 10-point font).
inline constexpr double kMinimumReportScale = 0.6;

// How a report is laid out on its pages: the report font scaled down just
// so far that the widest line fits the width, never below the minimum and
// never above full size; lines still wider at the minimum wrap.
struct ReportPageLayout {
    double scale = 1.0;
    size_t columns = 1;     // characters a printed row holds at that scale
    bool wraps = false;     // the widest line is wider than `columns`
    int rowsPerPage = 1;
};
ReportPageLayout LayoutReportPage(const ReportPage& page, size_t widestColumns,
                                  double minimumScale = kMinimumReportScale);

// Where a page begins: a line of the report and the piece of it when the
// line wraps (0 for its start).
struct PageStart {
    size_t line = 0;
    size_t piece = 0;
    bool operator==(const PageStart&) const = default;
};

// The pages of `lineCount` lines of which line i prints as rowsOfLine(i)
// rows, `rowsPerPage` to a page.  Even an empty text has one page.
template <typename RowsOfLine>
std::vector<PageStart> PaginateRows(size_t lineCount, int rowsPerPage, RowsOfLine rowsOfLine)
{
    std::vector<PageStart> pages{PageStart{}};
    const size_t perPage = rowsPerPage > 0 ? static_cast<size_t>(rowsPerPage) : 1;
    size_t row = 0;  // rows on the current page
    for (size_t line = 0; line < lineCount; ++line) {
        const size_t rows = rowsOfLine(line);
        for (size_t piece = 0; piece < rows; ++piece) {
            if (row == perPage) {
                pages.push_back(PageStart{line, piece});
                row = 0;
            }
            ++row;
        }
    }
    return pages;
}

// The page number in the header of a printed page: "Page 2 of 5".
std::string PrintedPageNumber(int page, int pageCount);

}  // namespace kalderon
