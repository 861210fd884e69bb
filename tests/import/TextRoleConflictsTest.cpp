#include <gtest/gtest.h>

#include "import/TextRoleConflicts.h"

namespace kalderon {
namespace {

TEST(TextRoleConflictsTest, FreeFormatFields)
{
    TextImportSettings s;  // begin 1, end 2, status 3
    EXPECT_FALSE(FindSharedColumn(s));

    s.statusColumn = 1;
    auto shared = FindSharedColumn(s);
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared->first, kTextRoleBegin);
    EXPECT_EQ(shared->second, kTextRoleStatus);
    EXPECT_EQ(SharedColumnText(*shared),
              "Date of beginning of follow-up and Status at end of follow-up both use column 1.");

    // The later role is the one named second: end is checked before status.
    s.endColumn = 1;
    EXPECT_EQ(FindSharedColumn(s)->second, kTextRoleEnd);

    // Optional roles count only when switched on.
    TextImportSettings optional;
    optional.groupColumn = 2;
    EXPECT_FALSE(FindSharedColumn(optional));
    optional.useGroup = true;
    EXPECT_EQ(FindSharedColumn(optional)->first, kTextRoleEnd);
    EXPECT_EQ(FindSharedColumn(optional)->second, kTextRoleGroup);

    // Group and gender may share a field; the date of birth may not.
    TextImportSettings groupAndSex;
    groupAndSex.useGroup = groupAndSex.useSex = groupAndSex.useBirth = true;
    groupAndSex.sexColumn = 4;
    EXPECT_FALSE(FindSharedColumn(groupAndSex));
    groupAndSex.birthColumn = 4;
    shared = FindSharedColumn(groupAndSex);
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared->first, kTextRoleGroup);
    EXPECT_EQ(shared->second, kTextRoleBirth);
}

TEST(TextRoleConflictsTest, FixedColumnRanges)
{
    TextImportSettings s;
    s.format = TextImportSettings::kFixedColumns;  // every role at 1-1
    auto shared = FindSharedColumn(s);
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared->first, kTextRoleBegin);
    EXPECT_EQ(shared->second, kTextRoleEnd);
    EXPECT_EQ(SharedColumnText(*shared),
              "Date of beginning of follow-up and Date of end of follow-up both use character 1.");

    s.beginFrom = 1, s.beginTo = 10;
    s.endFrom = 11, s.endTo = 20;
    s.statusFrom = 21, s.statusTo = 21;
    EXPECT_FALSE(FindSharedColumn(s));

    s.statusFrom = 18, s.statusTo = 22;
    shared = FindSharedColumn(s);
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared->first, kTextRoleEnd);
    EXPECT_EQ(shared->second, kTextRoleStatus);
    EXPECT_EQ(shared->from, 18);
    EXPECT_EQ(shared->to, 20);
    EXPECT_EQ(SharedColumnText(*shared),
              "Date of end of follow-up and Status at end of follow-up both use the characters 18 to 20.");

    // Ranges that read nothing share nothing; the free-format numbers do not matter.
    s.statusFrom = 21, s.statusTo = 21;
    s.useBirth = true;  // 0-0
    s.beginColumn = s.endColumn = 1;
    EXPECT_FALSE(FindSharedColumn(s));
    s.birthFrom = 5, s.birthTo = 4;
    EXPECT_FALSE(FindSharedColumn(s));
    s.birthTo = 5;
    EXPECT_EQ(FindSharedColumn(s)->second, kTextRoleBirth);

    s.birthFrom = s.birthTo = 0;
    s.useGroup = s.useSex = true;
    s.groupFrom = 22, s.groupTo = 23;
    s.sexFrom = 23, s.sexTo = 23;
    EXPECT_FALSE(FindSharedColumn(s));
}

}  // namespace
}  // namespace kalderon
