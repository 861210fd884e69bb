#include <gtest/gtest.h>

#include <random>
#include <set>

#include "import/ColumnSelectionRules.h"
#include "import/DatabaseImport.h"

using namespace kalderon;
using R = CColumnAssignment::Role;

namespace {

// Entries of a field in the lists: field k is entry k + 1, in day lists k + 2.
int Field(int k) { return k + 1; }
int DayField(int k) { return k + 2; }
constexpr int kIgnore = 1;

ColumnSelection CompleteABC()
{
    ColumnSelection s;
    s.begin = Field(0), s.end = Field(1), s.status = Field(2);
    return s;
}

ColumnSelection SeparateBase()
{
    ColumnSelection s;
    s.dateInSeparateColumns = 1;
    s.beginDay = DayField(0), s.beginMonth = Field(1), s.beginYear = Field(2);
    s.endDay = DayField(3), s.endMonth = Field(4), s.endYear = Field(5);
    s.status = Field(6);
    return s;
}

void ExpectFailure(const ColumnSelection& s, int message, int control)
{
    const std::optional<ColumnSelectionRefusal> refusal = CheckColumnSelection(s);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->messageId, message);
    EXPECT_EQ(refusal->focusControl, control);
}

}  // namespace

TEST(ColumnSelectionRules, CompleteLayout)
{
    ColumnSelection s = CompleteABC();
    EXPECT_FALSE(CheckColumnSelection(s));
    const CColumnAssignment a = ToColumnAssignment(s);
    EXPECT_EQ(a[R::kBegin], 0);
    EXPECT_EQ(a[R::kEnd], 1);
    EXPECT_EQ(a[R::kStatus], 2);
    EXPECT_EQ(a[R::kGroup], -1);
    EXPECT_EQ(a[R::kSex], -1);
    EXPECT_EQ(a[R::kBirth], -1);
    EXPECT_EQ(a.dateInSeparateColumns, 0);
    EXPECT_FALSE(a.hasBirthColumn());

    ExpectFailure(ColumnSelection{}, 302, kComboBegin);
    s = CompleteABC(), s.end = 0;
    ExpectFailure(s, 302, kComboEnd);
    s = CompleteABC(), s.status = 0;
    ExpectFailure(s, 302, kComboStatus);
    s = CompleteABC(), s.end = s.begin;
    ExpectFailure(s, 301, kComboEnd);
    s = CompleteABC(), s.status = s.end;
    ExpectFailure(s, 301, kComboStatus);
    s = CompleteABC(), s.group = s.status;
    ExpectFailure(s, 301, kComboGroup);
    s = CompleteABC(), s.sex = s.begin;
    ExpectFailure(s, 301, kComboSex);
    s = CompleteABC(), s.group = Field(3), s.birth = Field(3);
    ExpectFailure(s, 301, kComboBirth);

    // Grouping by gender: the same field for both passes.
    s = CompleteABC(), s.group = Field(3), s.sex = Field(3), s.birth = Field(4);
    EXPECT_FALSE(CheckColumnSelection(s));
    EXPECT_TRUE(ToColumnAssignment(s).hasBirthColumn());
    EXPECT_EQ(ToColumnAssignment(s)[R::kBirth], 4);
}

TEST(ColumnSelectionRules, SeparateLayout)
{
    ColumnSelection s = SeparateBase();
    EXPECT_FALSE(CheckColumnSelection(s));
    CColumnAssignment a = ToColumnAssignment(s);
    EXPECT_EQ(a[R::kBeginDay], 0);
    EXPECT_EQ(a[R::kBeginMonth], 1);
    EXPECT_EQ(a[R::kEndYear], 5);
    EXPECT_EQ(a[R::kStatus], 6);
    EXPECT_EQ(a[R::kBirthDay], -2);  // string 300 in a day list: no day field either
    EXPECT_EQ(a.dateInSeparateColumns, 1);

    // Both days ignored pass and map to no day field.
    s.beginDay = s.endDay = kIgnore;
    EXPECT_FALSE(CheckColumnSelection(s));
    a = ToColumnAssignment(s);
    EXPECT_EQ(a[R::kBeginDay], -1);
    EXPECT_EQ(a[R::kEndDay], -1);

    s = SeparateBase(), s.endDay = 0;
    ExpectFailure(s, 302, kComboEndDay);
    s = SeparateBase(), s.beginDay = 0, s.status = 0;
    ExpectFailure(s, 302, kComboBeginDay);
    s = SeparateBase(), s.beginMonth = Field(0);  // begin day's field
    ExpectFailure(s, 301, kComboBeginMonth);
    s = SeparateBase(), s.beginYear = Field(1);
    ExpectFailure(s, 301, kComboBeginYear);
    s = SeparateBase(), s.endDay = DayField(0);
    ExpectFailure(s, 301, kComboEndDay);
    s = SeparateBase(), s.endMonth = Field(3);
    ExpectFailure(s, 301, kComboEndMonth);
    s = SeparateBase(), s.endYear = Field(0);
    ExpectFailure(s, 301, kComboEndYear);
    s = SeparateBase(), s.status = Field(5);
    ExpectFailure(s, 301, kComboStatus);
    s = SeparateBase(), s.group = Field(2);
    ExpectFailure(s, 301, kComboGroup);
    s = SeparateBase(), s.sex = Field(6);
    ExpectFailure(s, 301, kComboSex);
    s = SeparateBase(), s.sex = Field(7), s.birthDay = DayField(7);
    ExpectFailure(s, 301, kComboBirthDay);
    s = SeparateBase(), s.sex = Field(7), s.birthMonth = Field(7);
    ExpectFailure(s, 301, kComboBirthMonth);
    s = SeparateBase(), s.birthMonth = Field(8), s.birthYear = Field(8);
    ExpectFailure(s, 301, kComboBirthYear);

    // "< Ignore >" never clashes with the first entry of group, gender or birth lists.
    s = SeparateBase(), s.beginDay = kIgnore, s.birthDay = kIgnore, s.birthMonth = Field(7), s.birthYear = Field(8);
    EXPECT_FALSE(CheckColumnSelection(s));
    EXPECT_TRUE(ToColumnAssignment(s).hasBirthColumn());
    s.group = s.sex = Field(9);
    EXPECT_FALSE(CheckColumnSelection(s));

    // The complete combos keep their own selections and are not used.
    s = SeparateBase(), s.begin = Field(0), s.end = Field(0);
    EXPECT_FALSE(CheckColumnSelection(s));
}

// On random selections a selection passes exactly when every required list
// names a field and no two assigned roles share a field, grouping variable
// and gender excepted.
TEST(ColumnSelectionRules, PassExactlyWithoutSharedFields)
{
    std::mt19937 random(4);
    std::uniform_int_distribution<int> entry(0, 6);
    for (int run = 0; run < 200000; ++run) {
        ColumnSelection s;
        s.dateInSeparateColumns = run % 2;
        int* all[] = {&s.begin, &s.end, &s.status, &s.group, &s.sex, &s.birth, &s.beginDay, &s.beginMonth,
                      &s.beginYear, &s.endDay, &s.endMonth, &s.endYear, &s.birthDay, &s.birthMonth, &s.birthYear};
        for (int* index : all) *index = entry(random);

        // role -> field, or -1; and whether the role is required but unset
        std::vector<std::pair<int, int>> assigned;  // (role, field)
        bool missing = false;
        auto field = [&](int role, int index, bool day, bool required) {
            const int k = index - (day ? 2 : 1);
            if (required && index == 0) missing = true;
            if (k >= 0) assigned.push_back({role, k});
        };
        if (s.dateInSeparateColumns) {
            field(0, s.beginDay, true, true), field(1, s.beginMonth, false, true), field(2, s.beginYear, false, true);
            field(3, s.endDay, true, true), field(4, s.endMonth, false, true), field(5, s.endYear, false, true);
            field(6, s.status, false, true), field(7, s.group, false, false), field(8, s.sex, false, false);
            field(9, s.birthDay, true, false), field(10, s.birthMonth, false, false), field(11, s.birthYear, false, false);
        } else {
            field(0, s.begin, false, true), field(1, s.end, false, true), field(6, s.status, false, true);
            field(7, s.group, false, false), field(8, s.sex, false, false), field(9, s.birth, false, false);
        }
        bool shared = false;
        for (size_t i = 0; i < assigned.size(); ++i)
            for (size_t j = i + 1; j < assigned.size(); ++j)
                if (assigned[i].second == assigned[j].second &&
                    !(assigned[i].first == 7 && assigned[j].first == 8))
                    shared = true;
        const std::optional<ColumnSelectionRefusal> refusal = CheckColumnSelection(s);
        ASSERT_EQ(refusal.has_value(), missing || shared) << "run " << run;
        if (refusal) {
            ASSERT_EQ(refusal->messageId, missing ? 302 : 301) << "run " << run;
        }
    }
}

TEST(ColumnSelectionRules, ComboLists)
{
    const std::vector<std::string> texts = BuildColumnTexts({"A", "B"});
    ASSERT_EQ(texts, (std::vector<std::string>{"< Select a column of the input data sheet >", "A", "B"}));
    EXPECT_EQ(ColumnComboEntries(texts, ColumnComboKind::Field), texts);
    EXPECT_EQ(ColumnComboEntries(texts, ColumnComboKind::Day),
              (std::vector<std::string>{"< Select a column of the input data sheet >", "< Ignore >", "A", "B"}));
    EXPECT_EQ(ColumnComboEntries(texts, ColumnComboKind::Group), (std::vector<std::string>{"< No groups >", "A", "B"}));
    EXPECT_EQ(ColumnComboEntries(texts, ColumnComboKind::Sex), (std::vector<std::string>{"< No gender >", "A", "B"}));
    EXPECT_EQ(ColumnComboEntries(texts, ColumnComboKind::Birth),
              (std::vector<std::string>{"< No date of birth >", "A", "B"}));
}
