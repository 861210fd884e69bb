#include <gtest/gtest.h>

#include <random>

#include "common/LineEnds.h"
#include "results/ExportText.h"
#include "support/TempDir.h"

namespace kalderon {
namespace {

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
