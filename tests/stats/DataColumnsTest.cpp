#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "stats/DataColumns.h"

using namespace kalderon;

namespace {

// Every value of every column, read back, against the rows appended.
void ExpectRows(const DataColumns& columns, const std::vector<std::vector<std::string>>& rows)
{
    ASSERT_EQ(columns.rowCount(), rows.size());
    for (size_t c = 0; c < columns.columnCount(); ++c) {
        ASSERT_EQ(columns[c].size(), rows.size());
        for (size_t r = 0; r < rows.size(); ++r) {
            const std::string expected = c < rows[r].size() ? rows[r][c] : std::string();
            if (columns[c].Value(r) != expected) {
                ADD_FAILURE() << "column " << c << " row " << r << ": " << columns[c].Value(r) << " != " << expected;
                return;
            }
        }
    }
}

}  // namespace

// Rows of a registry-like table: a few status codes, some thousand dates,
// texts beyond 256 and 65536 distinct values (the codes widen), identifiers
// that are all distinct (the column stops coding and keeps the texts), and
// rows shorter or longer than the columns named so far; rows appended one
// by one and many at once, in turn.
TEST(DataColumns, KeepsEveryValueOfEveryRow)
{
    std::mt19937 random(7);
    DataColumns columns;
    columns.AddColumn("id");
    columns.AddColumn("status");
    columns.Reserve(1000);
    std::vector<std::vector<std::string>> rows;
    const size_t n = 250'000;
    for (size_t r = 0; r < n; ++r) {
        std::vector<std::string> row{std::to_string(1'000'000 + r), std::string(1, "01"[random() % 2]),
                                     "2001-" + std::to_string(random() % 4000), std::to_string(random() % 70'000)};
        if (r % 1000 == 5) row.resize(2);              // a short line
        if (r == 10) row.emplace_back("only here");     // a field no other row has
        if (r % 777 == 0) row[1].clear();               // an empty value
        if (r == 20) row[0] = std::string(300, 'x');    // a long text
        rows.push_back(std::move(row));
    }
    std::vector<std::string_view> fields;
    std::vector<size_t> rowEnds;
    for (size_t first = 0, chunk = 0; first < n; ++chunk) {
        const size_t last = std::min(n, first + (chunk == 0 ? 50 : 1 + random() % 97));
        fields.clear();
        rowEnds.clear();
        for (size_t r = first; r < last; ++r) {
            fields.insert(fields.end(), rows[r].begin(), rows[r].end());
            rowEnds.push_back(fields.size());
            if (chunk % 2 == 1) {
                columns.AppendRow(std::span(fields).subspan(fields.size() - rows[r].size()));
            }
        }
        if (chunk % 2 == 0) columns.AppendRows(fields, rowEnds);
        first = last;
    }
    columns.Finish();
    ASSERT_EQ(columns.columnCount(), 5u);
    EXPECT_EQ(columns[2].name(), "F3");
    EXPECT_EQ(columns[4].name(), "F5");
    EXPECT_FALSE(columns[0].IsCoded());
    EXPECT_TRUE(columns[1].IsCoded());
    EXPECT_EQ(columns[1].CodeCount(), 3u);
    EXPECT_TRUE(columns[2].IsCoded());
    EXPECT_TRUE(columns[3].IsCoded());
    EXPECT_GT(columns[3].CodeCount(), 65536u);
    ExpectRows(columns, rows);
    // Codes one and two bytes a row, identifiers their text and its end.
    EXPECT_LT(columns.MemoryBytes(), n * (8 + 7 + 1 + 2 + 4 + 1) + 1'500'000);

    // A line of megabytes between short ones goes in at once, in its place.
    DataColumns wide;
    const std::string huge(2'000'000, 'y');
    wide.AppendRow(std::vector<std::string_view>{"a"});
    wide.AppendRow(std::vector<std::string_view>{"b", huge, "c"});
    wide.AppendRow(std::vector<std::string_view>{"d", "e"});
    wide.Finish();
    ExpectRows(wide, {{"a"}, {"b", huge, "c"}, {"d", "e"}});

    EXPECT_TRUE(columns[1].IsEmpty(0));
    EXPECT_EQ(columns[4].Value(10), "only here");
    EXPECT_TRUE(columns[4].IsEmpty(11));
}

TEST(DataColumns, NumbersAndLabels)
{
    DataColumns columns;
    columns.AddColumn("F1");
    for (const char* value : {"12", "-0.5", "1.500000e+00", " 7 ", "+3", "", "1,5", "12a", "inf", "nan", "-", "+-1"})
        columns.AppendRow(std::vector<std::string_view>{value});
    // A column named "F4" already: a fourth field takes the next free name.
    columns.AppendRow(std::vector<std::string_view>{"2", "x"});
    columns.AddColumn("F4");
    columns.AppendRow(std::vector<std::string_view>{"2", "y", "z", "w"});
    columns.Finish();

    const DataColumn& c = columns[0];
    const std::vector<std::optional<double>> expected = {12.0, -0.5, 1.5, 7.0, 3.0, std::nullopt,
                                                         std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                                                         std::nullopt, std::nullopt};
    for (size_t r = 0; r < expected.size(); ++r) EXPECT_EQ(c.Number(r), expected[r]) << "row " << r;
    EXPECT_EQ(columns[1].name(), "F2");
    EXPECT_EQ(columns[2].name(), "F4");
    EXPECT_EQ(columns[3].name(), "F4_2");
    EXPECT_EQ(columns[2].Value(12), "");
    EXPECT_EQ(columns[2].Value(13), "z");
    EXPECT_EQ(columns[1].Value(11), "");

    columns[0].SetLabels({{"2", "stage II"}});
    EXPECT_EQ(columns[0].Shown(12), "stage II");
    EXPECT_EQ(columns[0].Value(12), "2");
    EXPECT_EQ(columns[0].Shown(0), "12");
}
