#pragma once

#include <cstdint>
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

}  // namespace kalderon
