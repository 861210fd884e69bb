#include <gtest/gtest.h>

#include "import/ColumnProposal.h"
#include "import/DatabaseImport.h"
#include "support/ImportFixtures.h"

namespace kalderon {
namespace {

using testing::AccessFixture;
using testing::ImportFixture;

// begin, end, status, group, sex and birth of a proposal.
std::vector<int> Roles(const ColumnSelection& s) { return {s.begin, s.end, s.status, s.group, s.sex, s.birth}; }

constexpr FieldKind kDates = FieldKind::kDates;
constexpr FieldKind kOther = FieldKind::kNoDates;

TEST(ColumnProposalTest, NamesAndValuesDecideTogether)
{
    const struct {
        std::vector<std::string> names;
        std::vector<FieldKind> kinds;
        std::vector<int> roles;
    } tables[] = {
        // Common spellings, in any letter case and with any punctuation.
        {{"ID", "Date_of_Diagnosis", "LAST CONTACT", "Vital-Status", "Stage", "GENDER", "d.o.b"},
         {kOther, kDates, kDates, kOther, kOther, kOther, kDates},
         {2, 3, 4, 5, 6, 7}},
        {{"dx_date", "death_date", "dead", "arm", "Sex", "BirthDate"},
         {kDates, kDates, kOther, kOther, kOther, kDates},
         {1, 2, 3, 4, 5, 6}},
        // Two fields of one role: neither is taken; the others still are.
        {{"start", "entry", "exit", "event"}, {kDates, kDates, kDates, kOther}, {0, 3, 4, 0, 0, 0}},
        // A name that fits but values that do not: a status of dates, a begin
        // of numbers, a birth field with both, an end with no value yet.
        {{"begin", "end", "status", "birth"},
         {kOther, FieldKind::kNoValues, kDates, FieldKind::kMixed},
         {0, 0, 0, 0, 0, 0}},
        // Names that only contain a role's name are not taken.
        {{"begin_of_something", "endpoint", "status2", "subgroup"}, {kDates, kDates, kOther, kOther}, {0, 0, 0, 0, 0, 0}},
        {{}, {}, {0, 0, 0, 0, 0, 0}},
    };
    for (const auto& table : tables) {
        const ColumnSelection proposal = ProposeColumnSelection(table.names, table.kinds);
        EXPECT_EQ(Roles(proposal), table.roles) << table.names.size() << " fields";
        EXPECT_EQ(proposal.dateInSeparateColumns, 0);
        // What is proposed passes the rules of the dialog whenever the
        // three required roles are there.
        if (proposal.begin && proposal.end && proposal.status) {
            EXPECT_FALSE(CheckColumnSelection(proposal));
        }
    }
}

TEST(ColumnProposalTest, FixturesOfEveryKind)
{
    // Access: dates, texts and a number; the first rows hold nulls too.
    ReadResult<ImportDatabase> access = OpenImportDatabase(AccessFixture("cases.mdb"));
    ASSERT_TRUE(access.ok());
    const std::vector<std::string> names = access->database->FieldNames("Patients").value();
    EXPECT_EQ(SampleFieldKinds(*access->database, "Patients").value(),
              (std::vector<FieldKind>{kOther, kDates, kDates, kOther, kOther, kOther, kDates}));
    EXPECT_EQ(Roles(ProposeColumnSelection(*access->database, "Patients", names)),
              (std::vector<int>{2, 3, 4, 5, 6, 7}));

    // dBase: BEGINFU, ENDFU, STATUS.
    ReadResult<ImportDatabase> dbase = OpenImportDatabase(ImportFixture("dbase/CASES.DBF"));
    ASSERT_TRUE(dbase.ok());
    const std::vector<std::string> dbaseNames = dbase->database->FieldNames(dbase->tableName).value();
    const ColumnSelection dbaseProposal = ProposeColumnSelection(*dbase->database, dbase->tableName, dbaseNames);
    EXPECT_EQ(dbaseNames.at(static_cast<size_t>(dbaseProposal.begin - 1)), "BEGINFU");
    EXPECT_EQ(dbaseNames.at(static_cast<size_t>(dbaseProposal.end - 1)), "ENDFU");
    EXPECT_EQ(dbaseNames.at(static_cast<size_t>(dbaseProposal.status - 1)), "STATUS");

    // A table that cannot be read proposes nothing.
    EXPECT_EQ(Roles(ProposeColumnSelection(*access->database, "Nope", names)), (std::vector<int>{0, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace kalderon
