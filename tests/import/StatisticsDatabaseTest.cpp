#include <gtest/gtest.h>

#include <cmath>

#include "import/DatabaseImport.h"
#include "import/StatisticsDateFormats.h"
#include "support/RecordsetRows.h"
#include "support/TempDir.h"

namespace kalderon {
namespace {

using testing::ReadBytes;
using testing::RowValues;

const std::string kFolder = std::string(KALDERON_SOURCE_DIR) + "/tests/data/statistics/";

double Day(int year, int month, int day) { return DateValue::FromYmd(year, month, day).serial(); }

// special.dta and special.sav (scripts/make-statistics-fixtures.R) hold four
// cases of a date, a time stamp, a labelled stage and a note, with missing
// values of each kind the package has: Stata's system missing and .a, SPSS's
// system missing and the user-defined missing code 9.  Read through the
// child process, the values, the field names and the labels arrive as the
// reader in this process gives them.
TEST(StatisticsDatabase, ValuesLabelsAndMissingValuesOfStataAndSpss)
{
    const FieldValue null = FieldValue::Null();
    const auto date = [](double day) { return FieldValue::Date(day); };
    const ValueLabels stages = {{"1", "stage I"}, {"2", "stage II"}, {"3", "stage III"}, {"9", "unknown"}};
    for (const char* name : {"special.dta", "special.sav"}) {
        SCOPED_TRACE(name);
        const std::string path = kFolder + name;
        const bool spss = std::string(name).ends_with(".sav");
        const std::vector<std::vector<FieldValue>> expected = {
            {date(Day(2001, 2, 3)), date(Day(2001, 2, 3) + 0.5), FieldValue::Double(2), FieldValue::Text("Gr\xC3\xBCn")},
            {null, null, null, null},  // Stata .a, SPSS user-missing 9
            {date(Day(1960, 1, 1)), date(Day(1999, 12, 31) + 0.25), spss ? FieldValue::Double(1) : FieldValue::Double(9),
             FieldValue::Text("ok")},
            {date(Day(2020, 2, 29)), date(Day(2020, 2, 29)), null, FieldValue::Text("\xC3\xA9t\xC3\xA9")}};

        const ReadResult<ImportDatabase> isolated = OpenImportDatabase(path);
        ASSERT_TRUE(isolated) << ReaderFaultMessage(isolated.fault());
        EXPECT_EQ(isolated->tableName, "special");
        const Database& db = *isolated->database;
        ASSERT_EQ(db.TableDefs().size(), 1u);
        EXPECT_EQ(db.TableDefs()[0].name, "special");
        EXPECT_EQ(*db.FieldNames("Special"), (std::vector<std::string>{"begin", "seen", "stage", "note"}));
        EXPECT_EQ(*db.FieldValueLabels("special"), (std::vector<ValueLabels>{{}, {}, stages}));
        ReadResult<std::unique_ptr<Recordset>> rows = db.OpenTable("special");
        ASSERT_TRUE(rows) << ReaderFaultMessage(rows.fault());
        EXPECT_EQ(RowValues(**rows), expected);
        EXPECT_EQ(db.OpenTable("other").fault().errorNumber, kDaoObjectNotFound);

        const DatabaseResult inProcess = OpenDatabaseInProcess(path, kStatisticsConnect);
        ASSERT_TRUE(inProcess);
        EXPECT_EQ(*(*inProcess)->FieldValueLabels("special"), *db.FieldValueLabels("special"));
        rows = (*inProcess)->OpenTable("special");
        ASSERT_TRUE(rows);
        EXPECT_EQ(RowValues(**rows), expected);
    }
}

// A file cut short, a file of another kind under the name, and a file that
// is not there: each refused with a message that names the file.
TEST(StatisticsDatabase, DamagedFilesAreRefusedNamingTheFile)
{
    testing::TempDir dir;
    const std::string whole = ReadBytes(kFolder + "cases.sav");
    for (const std::string& path : {dir.Write("cut.sav", whole.substr(0, whole.size() / 2)),
                                    dir.Write("cut.dta", ReadBytes(kFolder + "cases.dta").substr(0, 3000)),
                                    dir.Write("text.sas7bdat", std::string(4096, 'x')), dir.Write("empty.xpt", ""),
                                    dir.Write("cases.por", whole)}) {
        SCOPED_TRACE(path);
        // The rows of a file cut in its data are refused as they are read.
        ReadResult<void> read = [&]() -> ReadResult<void> {
            const ReadResult<ImportDatabase> db = OpenImportDatabase(path);
            if (!db) return db.fault();
            return testing::ReadEveryTable(*db->database);
        }();
        ASSERT_FALSE(read);
        EXPECT_EQ(read.fault().errorNumber, kDaoDamagedFile);
        EXPECT_NE(ReaderFaultMessage(read.fault()).find("'" + path + "'"), std::string::npos)
            << ReaderFaultMessage(read.fault());
    }
    const ReadResult<ImportDatabase> missing = OpenImportDatabase(dir.path("none.dta"));
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.fault().errorNumber, kDaoFileNotFound);
}

TEST(StatisticsDateFormats, EachPackagesEpochAndUnit)
{
    using P = StatisticsPackage;
    struct Case {
        P package;
        const char* format;
        double value;
        double day;  // NAN: not a date format
    };
    const double day1960 = Day(1960, 1, 1);
    const double seconds1582To1960 = (day1960 - Day(1582, 10, 14)) * 86400.0;
    for (const Case& c : std::vector<Case>{{P::kStata, "%td", 1, day1960 + 1},
                                           {P::kStata, "%-tdCCYY-NN-DD", -1, day1960 - 1},
                                           {P::kStata, "%dD_m_Y", 2, day1960 + 2},
                                           {P::kStata, "%tc", 43200000, day1960 + 0.5},
                                           {P::kStata, "%tCDDmonCCYY_HH:MM", 86400000, day1960 + 1},
                                           {P::kStata, "%9.0g", 1, NAN},
                                           {P::kStata, "%tm", 1, NAN},
                                           {P::kSas, "DATE9.", 366, Day(1961, 1, 1)},
                                           {P::kSas, "mmddyys10", 0, day1960},
                                           {P::kSas, "E8601DA", 0, day1960},
                                           {P::kSas, "DATETIME20", 86400 * 1.25, day1960 + 1.25},
                                           {P::kSas, "B8601DT19.3", 0, day1960},
                                           // 1.1.1850 18:00 as the date type holds it
                                           {P::kSas, "DATETIME", (Day(1850, 1, 1) - day1960 + 0.75) * 86400,
                                            Day(1850, 1, 1) - 0.75},
                                           {P::kSas, "TIME8", 3600, NAN},
                                           {P::kSas, "BEST12", 1, NAN},
                                           {P::kSpss, "DATE11", seconds1582To1960, day1960},
                                           {P::kSpss, "ADATE10", seconds1582To1960 + 86400, day1960 + 1},
                                           {P::kSpss, "DATETIME20", seconds1582To1960 + 21600, day1960 + 0.25},
                                           {P::kSpss, "SDATE10", 0, Day(1582, 10, 14)},
                                           {P::kSpss, "DTIME", 86400, NAN},
                                           {P::kSpss, "F8.2", 1, NAN}}) {
        SCOPED_TRACE(c.format);
        const std::optional<DateScale> scale = DateScaleOfFormat(c.package, c.format);
        ASSERT_EQ(scale.has_value(), !std::isnan(c.day));
        if (scale) {
            EXPECT_DOUBLE_EQ(scale->DayNumber(c.value), c.day);
        }
    }
}

}  // namespace
}  // namespace kalderon
