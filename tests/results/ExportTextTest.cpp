#include <gtest/gtest.h>

#include <random>

#include "common/LineEnds.h"
#include "results/ExportText.h"
#include "support/TempDir.h"

namespace kalderon {
namespace {

// A table row is written as the export writes it, and kept as the values
// themselves, each shown with the decimals of its text.
TEST(ExportTextTest, TableRowsKeepTheirValuesBesideTheirText)
{
    ExportText text;
    text.BeginTable("Tests", "Test;Statistic;Limit;Cases;p-value;Note\n", true);
    text.BeginGroup("A");
    text.AppendTableRow(
        ExportRow().Text("stage=II").Number("%.10g", 1.0 / 3.0).Number("%f", 2.5, false).Integer(7).Number("%.10g", 1e-20).Text(""));
    EXPECT_EQ(text.Text(), "Group;Test;Statistic;Limit;Cases;p-value;Note\nA;stage=II;0.3333333333;NA;7;1e-20;\n");
    ASSERT_EQ(text.tables().size(), 1u);
    const ExportTable& table = text.tables()[0];
    EXPECT_EQ(table.title, "Tests");
    EXPECT_EQ(table.headings, (std::vector<std::string>{"Group", "Test", "Statistic", "Limit", "Cases", "p-value", "Note"}));
    ASSERT_EQ(table.rows.size(), 1u);
    const std::vector<WorkbookCell>& cells = table.rows[0];
    ASSERT_EQ(cells.size(), 7u);
    EXPECT_EQ(cells[0].text, "A");
    EXPECT_EQ(cells[1].text, "stage=II");
    EXPECT_EQ(cells[2].kind, WorkbookCell::kNumber);
    EXPECT_EQ(cells[2].number, 1.0 / 3.0);
    EXPECT_EQ(cells[2].decimals, 10);
    EXPECT_EQ(cells[3].kind, WorkbookCell::kNotAvailable);
    EXPECT_EQ(cells[4].number, 7.0);
    EXPECT_EQ(cells[4].decimals, 0);
    EXPECT_EQ(cells[5].number, 1e-20);
    EXPECT_EQ(cells[5].decimals, -1);
    EXPECT_EQ(cells[6].kind, WorkbookCell::kEmpty);
}

TEST(ExportTextTest, RowsOfAGroupSectionStartWithItsCodeAndTheRestStaysAsAppended)
{
    ExportText text;
    EXPECT_TRUE(text.empty());
    text.Append("Group;");
    text.Append("Time;Survival\n");
    text.Reserve(1 << 20);  // room only: the text stays as appended
    text.BeginGroup("A");
    text.AppendRow("1;0.5\n");
    text.AppendRow("2;0.25\n");
    text.BeginGroup("");
    text.AppendRow("3;1\n");
    text.BeginGroup("long code");
    text.AppendRow("4;");  // a row without its line end stays one row
    text.AppendRow("\n");
    EXPECT_EQ(text.Text(), "Group;Time;Survival\nA;1;0.5\nA;2;0.25\n;3;1\nlong code;4;long code;\n");

    // Another text appended keeps its own rows and codes; rows appended
    // afterwards stay in the group begun last.
    ExportText more;
    more.Append("Second;table\n");
    more.BeginGroup("B");
    more.AppendRow("5\n");
    text.Append(more);
    text.AppendRow("6\n");
    EXPECT_EQ(text.Text(),
              "Group;Time;Survival\nA;1;0.5\nA;2;0.25\n;3;1\nlong code;4;long code;\nSecond;table\nB;5\nB;6\n");

    text.clear();
    EXPECT_TRUE(text.empty());
    text.Append("1;2\n");
    EXPECT_EQ(text.Text(), "1;2\n");
}

TEST(ExportTextTest, WrittenInPiecesItIsTheTextWithItsLineEndsAsAsked)
{
    std::mt19937 random(7);
    ExportText text;
    text.Append("Header;line\n");
    for (int group = 0; group < 4; ++group) {
        text.BeginGroup(std::string(static_cast<size_t>(random() % 70000), 'g'));
        for (int row = 0; row < 3000; ++row) {
            std::string line(static_cast<size_t>(random() % 40), static_cast<char>('0' + row % 10));
            text.AppendRow(line + "\n");
        }
        text.Append(std::string(static_cast<size_t>(random() % 140000), 'u') + "\n");
    }
    const std::string lf = text.Text();
    for (const bool crlf : {false, true}) {
        std::string written;
        size_t largest = 0;
        text.Write(
            [&](std::string_view piece) {
                written.append(piece);
                largest = std::max(largest, piece.size());
            },
            crlf);
        EXPECT_EQ(written, crlf ? ToCrLf(lf) : lf);
        EXPECT_LE(largest, crlf ? size_t{1} << 16 : size_t{140001});
    }

    testing::TempDir dir;
    std::string reason;
    ASSERT_TRUE(WriteExportFileSafely(dir.path("out.csv"), text, reason)) << reason;
    EXPECT_EQ(testing::ReadBytes(dir.path("out.csv")), ToCrLf(lf));
}

}  // namespace
}  // namespace kalderon
