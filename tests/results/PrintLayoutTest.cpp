#include <gtest/gtest.h>

#include <string>

#include "results/PrintLayout.h"
#include "support/TempDir.h"

namespace kalderon {
namespace {

TEST(PrintLayoutTest, PageGeometryOfTheDevice)
{
    // 4800 x 6600 pixels on 203 x 279 mm: 23 pixels per millimetre both ways.
    const PageGeometry page = ResultPageGeometry(PrintDevice{4800, 6600, 203, 279}, 12240, 15840);
    EXPECT_EQ(page.marginX, 586);    // 23 * 12240 * 10 / 4800
    EXPECT_EQ(page.marginY, 552);    // 23 * 15840 * 10 / 6600
    EXPECT_EQ(page.paperWidth, 11525);  // 15840 * 203 / 279
    EXPECT_EQ(page.paperHeight, 15840);

    // A device without sizes keeps the paper and has no margins.
    const PageGeometry unknown = ResultPageGeometry(PrintDevice{}, 12240, 15840);
    EXPECT_EQ(unknown.marginX, 0);
    EXPECT_EQ(unknown.marginY, 0);
    EXPECT_EQ(unknown.paperWidth, 12240);
}

std::vector<std::string> Pieces(const std::string& line, size_t columns)
{
    std::vector<std::string> pieces;
    size_t from = 0;
    for (size_t to : WrapPoints(std::string_view(line), columns)) {
        pieces.push_back(line.substr(from, to - from));
        from = to;
    }
    pieces.push_back(line.substr(from));
    return pieces;
}

TEST(PrintLayoutTest, LongLinesWrapAfterBlanksAndLoseNothing)
{
    EXPECT_EQ(Pieces("short", 10), (std::vector<std::string>{"short"}));
    EXPECT_EQ(Pieces("0.500000  0.250000  0.125000", 12),
              (std::vector<std::string>{"0.500000  ", "0.250000  ", "0.125000"}));
    // A word wider than the line is cut at the width.
    EXPECT_EQ(Pieces("abcdefghijklmnop xy", 6), (std::vector<std::string>{"abcdef", "ghijkl", "mnop ", "xy"}));
    // Blanks at the end of a line hang there.
    EXPECT_EQ(Pieces("abc      ", 4), (std::vector<std::string>{"abc      "}));
    EXPECT_EQ(Pieces("", 4), (std::vector<std::string>{""}));
}

TEST(PrintLayoutTest, PagesStartWhereTheirFirstRowIs)
{
    const std::vector<size_t> rows = {1, 3, 1, 2};
    const auto rowsOf = [&](size_t line) { return rows[line]; };
    EXPECT_EQ(PaginateRows(rows.size(), 2, rowsOf),
              (std::vector<PageStart>{{0, 0}, {1, 1}, {2, 0}, {3, 1}}));
    EXPECT_EQ(PaginateRows(4, 4, [](size_t) { return size_t{1}; }), (std::vector<PageStart>{{0, 0}}));
    EXPECT_EQ(PaginateRows(0, 4, rowsOf), (std::vector<PageStart>{{0, 0}}));  // an empty text has a page
    EXPECT_EQ(PrintedPageNumber(2, 3), "Page 2 of 3");
}

// The lines of the report of relative survival by age group of the example
// rdata.txt, without their line ends.
std::vector<std::string> RdataReportLines()
{
    const std::string text = testing::ReadBytes(std::string(KALDERON_SOURCE_DIR) + "/tests/data/batch/rdata-net-lifetable.txt");
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < text.size()) {
        size_t end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        from = end + 1;
    }
    return lines;
}

TEST(PrintLayoutTest, TheRdataReportFitsTheWidthOfAnA4Page)
{
    const std::vector<std::string> lines = RdataReportLines();
    size_t widest = 0;
    for (const std::string& line : lines) widest = std::max(widest, line.size());
    ASSERT_EQ(lines.size(), 125u);
    ASSERT_EQ(widest, 116u);

    // The 10-point report font in points: 6 across, 11.33 from line to
    // line; the header takes two lines.  A4 less margins of 38 points.
    const auto page = [](double width, double height) { return ReportPage{width, height, 6.0, 11.328125, 22.65625}; };
    const auto onePiece = [](size_t) { return size_t{1}; };

    // Landscape: the full-size font leaves room; 43 rows a page, 3 pages.
    const ReportPageLayout landscape = LayoutReportPage(page(766, 519), widest);
    EXPECT_EQ(landscape.scale, 1.0);
    EXPECT_FALSE(landscape.wraps);
    EXPECT_EQ(landscape.columns, 127u);
    EXPECT_EQ(landscape.rowsPerPage, 43);
    EXPECT_EQ(PaginateRows(lines.size(), landscape.rowsPerPage, onePiece),
              (std::vector<PageStart>{{0, 0}, {43, 0}, {86, 0}}));

    // Portrait: the font shrinks to 7.5 points so that the widest row fits
    // exactly; 87 rows a page, 2 pages.
    const ReportPageLayout portrait = LayoutReportPage(page(519, 766), widest);
    EXPECT_NEAR(portrait.scale, 519.0 / 696.0, 1e-12);
    EXPECT_FALSE(portrait.wraps);
    EXPECT_EQ(portrait.columns, 116u);
    EXPECT_EQ(portrait.rowsPerPage, 87);
    EXPECT_EQ(PaginateRows(lines.size(), portrait.rowsPerPage, onePiece).size(), 2u);

    // A5 portrait is too narrow even for 6 points: the widest rows wrap at
    // 95 columns and no row is lost.
    const ReportPageLayout narrow = LayoutReportPage(page(344, 519), widest);
    EXPECT_EQ(narrow.scale, kMinimumReportScale);
    EXPECT_TRUE(narrow.wraps);
    EXPECT_EQ(narrow.columns, 95u);
    EXPECT_EQ(narrow.rowsPerPage, 73);
    size_t rows = 0;
    const auto pieces = [&](size_t line) { return WrapPoints(std::string_view(lines[line]), narrow.columns).size() + 1; };
    for (size_t line = 0; line < lines.size(); ++line) rows += pieces(line);
    EXPECT_GT(rows, lines.size());
    const std::vector<PageStart> pages = PaginateRows(lines.size(), narrow.rowsPerPage, pieces);
    EXPECT_EQ(pages.size(), (rows + 72) / 73);
}

}  // namespace
}  // namespace kalderon
