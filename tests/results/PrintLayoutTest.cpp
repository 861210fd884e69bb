#include <gtest/gtest.h>

#include <string>

#include "results/PrintLayout.h"

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

}  // namespace
}  // namespace kalderon
