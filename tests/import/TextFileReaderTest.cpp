#include <gtest/gtest.h>

#include <random>
#include <thread>

#include <sys/stat.h>

#include "import/TextFileReader.h"
#include "import/TextRecordParser.h"
#include "support/TempDir.h"

namespace kalderon {
namespace {

using testing::TempDir;

DateValue Ymd(int y, int m, int d) { return DateValue::FromYmd(y, m, d); }

class TextFileReaderTest : public ::testing::Test {
protected:
    // Reads a file into dataSet: the fault's message, or "" when it is read.
    std::string ReadFile(const std::string& path, const TextImportSettings& settings = {},
                         const ReadProgress& progress = {})
    {
        ReadResult<DataSet> read = ReadTextFile(path, settings, progress);
        if (!read) return ReaderFaultMessage(read.fault());
        dataSet = std::move(*read);
        return {};
    }

    // Reads the bytes as a file with the settings; the cases in row order.
    std::vector<CCaseRecord> Read(const std::string& bytes, const TextImportSettings& settings = {})
    {
        EXPECT_EQ(ReadFile(dir.Write("cases.txt", bytes), settings), "");
        std::vector<CCaseRecord> rows;
        for (size_t i = 0; i < dataSet.cases.records.size(); ++i) rows.push_back(dataSet.cases.row(i));
        return rows;
    }

    TempDir dir;
    DataSet dataSet;
};

TEST_F(TextFileReaderTest, FreeFormatSplitting)
{
    const auto rows = Read(
        "01.01.2000;31.12.2004;1\n"
        "01.01.2000;31.12.2004;1;\n"
        " 01.01.2000 ; 31.12.2004 ; 1 \n"
        ";;;\n"
        "01.01.2000\n"
        "01.01.2000;;0\n");
    ASSERT_EQ(rows.size(), 6u);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].beginDate, Ymd(2000, 1, 1));
        EXPECT_EQ(rows[i].endDate, Ymd(2004, 12, 31));
        EXPECT_EQ(rows[i].statusText, "1");
        EXPECT_TRUE(rows[i].isValid);
        EXPECT_EQ(rows[i].birthDate.status(), DateStatus::Null);
    }
    EXPECT_FALSE(rows[3].isValid);
    EXPECT_EQ(rows[3].beginDate.status(), DateStatus::Invalid);
    EXPECT_EQ(rows[3].statusText, "");
    // Only one field: no end date, no status.
    EXPECT_EQ(rows[4].beginDate, Ymd(2000, 1, 1));
    EXPECT_EQ(rows[4].endDate.status(), DateStatus::Invalid);
    EXPECT_EQ(rows[4].statusText, "");
    EXPECT_FALSE(rows[4].isValid);
    // Adjacent separators give an empty field.
    EXPECT_EQ(rows[5].endDate.status(), DateStatus::Invalid);
    EXPECT_EQ(rows[5].statusText, "0");
}

TEST_F(TextFileReaderTest, LineEndsEmptyLinesAndNumbering)
{
    // A header line is data; CR LF and LF mix; empty lines get no number; the
    // last line needs no line end.
    const auto rows = Read(
        "begin;end;status\r\n"
        "01.01.2000;31.12.2004;1\r\n"
        "\r\n"
        "\n"
        "02.01.2000;31.12.2004;0\n"
        "03.01.2000;31.12.2004;0");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].caseNumber, 1);
    EXPECT_FALSE(rows[0].isValid);
    EXPECT_EQ(rows[0].statusText, "status");
    EXPECT_EQ(rows[1].caseNumber, 2);
    EXPECT_EQ(rows[1].statusText, "1");  // no CR left in the last field
    EXPECT_EQ(rows[2].caseNumber, 3);
    EXPECT_EQ(rows[2].beginDate, Ymd(2000, 1, 2));
    EXPECT_EQ(rows[3].caseNumber, 4);
    EXPECT_EQ(rows[3].statusText, "0");
    EXPECT_EQ(dataSet.analysis.TotalRecordsRead(), 4);
    EXPECT_EQ(dataSet.analysis.TotalRecordsValid(), 3);
}

TEST_F(TextFileReaderTest, SeparatorChoices)
{
    TextImportSettings settings;
    settings.separator = "\t";
    auto rows = Read("01.01.2000\t31.12.2004\t1\n", settings);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0].isValid);

    // Several blanks between words give empty fields with a space separator.
    settings.separator = " ";
    rows = Read("01.01.2000 31.12.2004 1\n01.01.2000  31.12.2004 1\n", settings);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(rows[0].isValid);
    EXPECT_EQ(rows[1].endDate.status(), DateStatus::Invalid);
    EXPECT_EQ(rows[1].statusText, "31.12.2004");

    // An empty separator leaves every field empty.
    settings.separator = "";
    rows = Read("01.01.2000;31.12.2004;1\n01.01.2000\n", settings);
    ASSERT_EQ(rows.size(), 2u);
    for (const auto& row : rows) {
        EXPECT_FALSE(row.isValid);
        EXPECT_EQ(row.statusText, "");
    }
}

TEST_F(TextFileReaderTest, OptionalRolesAndSharedFields)
{
    const std::string line = "01.01.2000;31.12.2004;1;A;2;15.06.1950\n";
    TextImportSettings settings;
    auto rows = Read(line, settings);
    EXPECT_EQ(rows[0].groupText, "");
    EXPECT_EQ(rows[0].sexText, "");
    EXPECT_EQ(rows[0].birthDate.status(), DateStatus::Null);
    EXPECT_FALSE(dataSet.hasGroupColumn || dataSet.hasSexColumn || dataSet.hasBirthColumn);

    settings.useGroup = settings.useSex = settings.useBirth = true;
    rows = Read(line + "01.01.2000;31.12.2004;1;A;2\n", settings);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].groupText, "A");
    EXPECT_EQ(rows[0].sexText, "2");
    EXPECT_EQ(rows[0].birthDate, Ymd(1950, 6, 15));
    EXPECT_TRUE(rows[0].isValid);
    // A missing birth date is invalid when the birth column is read.
    EXPECT_EQ(rows[1].birthDate.status(), DateStatus::Invalid);
    EXPECT_FALSE(rows[1].isValid);
    EXPECT_TRUE(dataSet.hasGroupColumn && dataSet.hasSexColumn && dataSet.hasBirthColumn);

    // Several roles may take one field; a column beyond the line is empty.
    settings = {};
    settings.endColumn = 1;
    settings.statusColumn = 9;
    rows = Read("01.01.2000;x\n", settings);
    EXPECT_EQ(rows[0].endDate, Ymd(2000, 1, 1));
    EXPECT_EQ(rows[0].statusText, "");
    EXPECT_TRUE(rows[0].isValid);
}

TEST_F(TextFileReaderTest, FixedColumns)
{
    TextImportSettings settings;
    settings.format = TextImportSettings::kFixedColumns;
    settings.beginFrom = 1, settings.beginTo = 10;
    settings.endFrom = 11, settings.endTo = 20;
    settings.statusFrom = 21, settings.statusTo = 22;
    settings.useGroup = true;
    settings.groupFrom = 23, settings.groupTo = 30;
    auto rows = Read(
        "01.01.200031.12.20041\n"
        "01.01.200031.12.20041 \n"
        "01.01.200031.12.20041 GRP \n"
        "01.01.2000\n",
        settings);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].beginDate, Ymd(2000, 1, 1));
    EXPECT_EQ(rows[0].endDate, Ymd(2004, 12, 31));
    EXPECT_EQ(rows[0].statusText, "1");
    EXPECT_EQ(rows[0].groupText, "");
    // Pieces are not trimmed.
    EXPECT_EQ(rows[1].statusText, "1 ");
    EXPECT_EQ(rows[2].groupText, "GRP ");
    EXPECT_EQ(rows[3].endDate.status(), DateStatus::Invalid);
    EXPECT_EQ(rows[3].statusText, "");

    // Patterns without separators, and a pattern without a day.
    settings = {};
    settings.format = TextImportSettings::kFixedColumns;
    settings.beginFrom = 1, settings.beginTo = 8, settings.beginFormat = "YYYYMMDD";
    settings.endFrom = 9, settings.endTo = 15, settings.endFormat = "MM.YYYY";
    settings.statusFrom = 16, settings.statusTo = 16;
    rows = Read("2000010112.20041\n", settings);
    EXPECT_EQ(rows[0].beginDate, Ymd(2000, 1, 1));
    EXPECT_EQ(rows[0].endDate, Ymd(2004, 12, 15));
    EXPECT_EQ(rows[0].statusText, "1");
}

TEST_F(TextFileReaderTest, LongLinesAreReadWhole)
{
    // A 300-character group and a line longer than one read block.
    const std::string group(300, 'g');
    const std::string huge(3'000'000, 'h');
    TextImportSettings settings;
    settings.useGroup = true;
    settings.groupColumn = 4;
    settings.statusColumn = 5;
    auto rows = Read("01.01.2000;31.12.2004;x;" + group + ";1\r\n" +
                         "01.01.2000;31.12.2004;x;" + huge + ";0\r\n" + "01.01.2000;31.12.2004;x;g;1\n",
                     settings);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].groupText, group);
    EXPECT_EQ(rows[0].statusText, "1");
    EXPECT_EQ(rows[1].groupText, huge);
    EXPECT_EQ(rows[1].statusText, "0");
    EXPECT_EQ(rows[2].caseNumber, 3);
}

TEST_F(TextFileReaderTest, RolesFarAlongAWideLine)
{
    // 70,000 fields: the status in field 65,536 and the group beyond it.
    std::string line = "01.01.2000;31.12.2004";
    for (int field = 3; field <= 70'000; ++field) {
        line += ';';
        line += field == 65'536 ? "1" : field == 69'999 ? "far" : "x";
    }
    TextImportSettings settings;
    settings.statusColumn = 65'536;
    settings.useGroup = true;
    settings.groupColumn = 69'999;
    const auto rows = Read(line + "\n" + line + "\n", settings);
    ASSERT_EQ(rows.size(), 2u);
    for (const CCaseRecord& row : rows) {
        EXPECT_EQ(row.statusText, "1");
        EXPECT_EQ(row.groupText, "far");
        EXPECT_TRUE(row.isValid);
    }
}

TEST_F(TextFileReaderTest, PipesAreReadOnce)
{
    const std::string fifo = dir.path("cases.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] {
        std::ofstream out(fifo, std::ios::binary);
        out << "01.01.2000;31.12.2004;1\n02.01.2000;31.12.2004;0\n";
    });
    const std::string error = ReadFile(fifo);
    writer.join();
    ASSERT_EQ(error, "");
    EXPECT_EQ(dataSet.cases.records.size(), 2u);

    // A line of names is read in the same pass; guessing the separator would
    // take lines away from it.
    std::thread namesWriter([&] {
        std::ofstream out(fifo, std::ios::binary);
        out << "b;e;state\n01.01.2000;31.12.2004;1\n";
    });
    TextImportSettings named;
    named.firstLineNames = true;
    named.statusName = "state";
    const std::string namedError = ReadFile(fifo, named);
    namesWriter.join();
    ASSERT_EQ(namedError, "");
    ASSERT_EQ(dataSet.cases.records.size(), 1u);
    EXPECT_TRUE(dataSet.cases.row(0).isValid);
    TextImportSettings guessed;
    guessed.guessSeparator = true;
    EXPECT_NE(ReadFile(fifo, guessed).find(fifo + ": the separator can be guessed only in a file that can be read twice"),
              std::string::npos);
}

TEST_F(TextFileReaderTest, UnreadableFilesAreErrors)
{
    const std::string missing = dir.path("missing.txt");
    const std::string error = ReadFile(missing);
    EXPECT_NE(error.find(missing), std::string::npos) << error;

    EXPECT_NE(ReadFile(dir.path("")), "");

    ASSERT_EQ(ReadFile(dir.Write("one.txt", "01.01.2000;31.12.2004;1\n")), "");
    EXPECT_EQ(dataSet.cases.sourcePath, dir.path("one.txt"));

    // An empty file is read as a data set without cases.
    ASSERT_EQ(ReadFile(dir.Write("empty.txt", "")), "");
    EXPECT_TRUE(dataSet.cases.records.empty());
    EXPECT_EQ(dataSet.analysis.TotalRecordsValid(), 0);
}

TEST_F(TextFileReaderTest, ProgressCountsEveryLine)
{
    std::string bytes;
    const size_t lines = 2 * kReadProgressStep + 10;
    for (size_t i = 0; i < lines; ++i) bytes += i % 2 ? "01.01.2000;31.12.2004;1\n" : "\n";
    std::vector<std::pair<size_t, size_t>> calls;
    ASSERT_EQ(ReadFile(dir.Write("many.txt", bytes), {}, [&](size_t done, size_t total) { calls.emplace_back(done, total); }),
              "");
    EXPECT_EQ(dataSet.cases.records.size(), lines / 2);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], std::make_pair(kReadProgressStep, lines + 1));
    EXPECT_EQ(calls[1], std::make_pair(2 * kReadProgressStep, lines + 1));
}

TEST_F(TextFileReaderTest, FirstLineNamesTheFields)
{
    const std::string path = dir.Write("cases.csv",
                                       "\n"
                                       "id,\"begin, date\",end,,id,note,status,end\r\n"
                                       "1,2000-01-01,2004-12-31,,x,\"a, \"\"b\"\"\",1,\n"
                                       "2,2001-02-03,2002-03-04,,x,\"open, never closed,0,\n"
                                       "\n"
                                       "3,2002-01-01,2003-01-01,,x,plain,0\n");
    TextImportSettings settings;
    settings.separator = ",";
    settings.firstLineNames = true;
    settings.quotedFields = true;
    settings.beginName = "begin, date";
    settings.endName = "end";
    settings.statusName = "status";
    settings.groupName = "note";
    settings.useGroup = true;
    settings.beginFormat = settings.endFormat = "YYYY-MM-DD";
    ReadResult<DataSet> read = ReadTextFile(path, settings);
    ASSERT_TRUE(read) << ReaderFaultMessage(read.fault());
    const CaseList& cases = read->cases;
    ASSERT_EQ(cases.records.size(), 3u);
    EXPECT_EQ(cases.row(0).beginDate, Ymd(2000, 1, 1));
    EXPECT_EQ(cases.row(0).endDate, Ymd(2004, 12, 31));
    EXPECT_EQ(cases.row(0).groupText, "a, \"b\"");
    EXPECT_EQ(cases.row(0).statusText, "1");
    EXPECT_TRUE(cases.row(0).isValid);
    EXPECT_FALSE(cases.row(1).isValid);
    EXPECT_EQ(cases.row(1).caseNumber, 2);
    EXPECT_EQ(cases.row(2).groupText, "plain");
    EXPECT_TRUE(cases.row(2).isValid);
    EXPECT_EQ(read->analysis.TotalRecordsSkipped(), 1);
    EXPECT_EQ(read->notes, (std::vector<std::string>{
                               "field 4 of the first line has no name: it is called F4",
                               "field 5 of the first line repeats the name id: it is called id_2",
                               "field 8 of the first line repeats the name end: it is called end_2",
                               "lines whose field in double quotes does not close on the line, kept as invalid "
                               "cases: 1"}));

    settings.statusName = "vital_status";
    read = ReadTextFile(path, settings);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.fault().description, path + ": the first line names no field \"vital_status\" (fields: id, begin, "
                                               "date, end, F4, id_2, note, status, end_2)");
}

// Every field of every line is kept as a column, named by the first line,
// by the field's number without one, or by the positions of fixed columns.
TEST_F(TextFileReaderTest, EveryColumnIsKept)
{
    const auto table = [this] {
        std::vector<std::vector<std::string>> cells;
        for (size_t c = 0; c < dataSet.columns.columnCount(); ++c) {
            std::vector<std::string> column{dataSet.columns[c].name()};
            for (size_t r = 0; r < dataSet.columns.rowCount(); ++r) column.emplace_back(dataSet.columns[c].Value(r));
            cells.push_back(std::move(column));
        }
        return cells;
    };
    using Table = std::vector<std::vector<std::string>>;

    TextImportSettings header;
    header.separator = ",";
    header.firstLineNames = header.quotedFields = true;
    header.beginName = "begin";
    header.endName = "end";
    header.statusName = "status";
    header.beginFormat = header.endFormat = "YYYY-MM-DD";
    ASSERT_EQ(ReadFile(dir.Write("h.csv",
                                 "id,begin,end,status,,stage\n"
                                 "7,2000-01-01,2004-12-31,1,\"a, \"\"b\"\"\",II\n"
                                 "8,2001-02-03,2002-03-04,0,\"open,III\n"
                                 "\n"
                                 "9,2002-01-01,2003-01-01,0\n"
                                 "10,2002-01-01,2003-01-01,0,,I,extra\n"),
                       header),
              "");
    EXPECT_EQ(table(), (Table{{"id", "7", "8", "9", "10"},
                              {"begin", "2000-01-01", "2001-02-03", "2002-01-01", "2002-01-01"},
                              {"end", "2004-12-31", "2002-03-04", "2003-01-01", "2003-01-01"},
                              {"status", "1", "0", "0", "0"},
                              {"F5", "a, \"b\"", "", "", ""},
                              {"stage", "II", "", "", "I"},
                              {"F7", "", "", "", "extra"}}));

    TextImportSettings plain;
    plain.useGroup = true;
    ASSERT_EQ(ReadFile(dir.Write("p.txt", "01.01.2000;31.12.2004;1;a;b\n;;\n"), plain), "");
    EXPECT_EQ(table(), (Table{{"F1", "01.01.2000", ""},
                              {"F2", "31.12.2004", ""},
                              {"F3", "1", ""},
                              {"F4", "a", ""},
                              {"F5", "b", ""}}));

    TextImportSettings fixed;
    fixed.format = TextImportSettings::kFixedColumns;
    fixed.beginFrom = 1, fixed.beginTo = 10, fixed.endFrom = 11, fixed.endTo = 20, fixed.statusFrom = 21;
    fixed.statusTo = 21, fixed.useSex = true, fixed.sexFrom = 23, fixed.sexTo = 24;
    ASSERT_EQ(ReadFile(dir.Write("f.txt", "01.01.200031.12.20041 m \n"), fixed), "");
    EXPECT_EQ(table(), (Table{{"1-10", "01.01.2000"}, {"11-20", "31.12.2004"}, {"21-21", "1"}, {"23-24", "m "}}));
}

// A file of many batches of lines, with quoted fields of every kind, is
// read as the parser reads it line by line: the cases, their numbers and
// every column.
TEST_F(TextFileReaderTest, ManyBatchesReadAsLineByLine)
{
    std::mt19937 random(7);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const auto date = [&] {
        return pick(50) == 0 ? std::string("2001-13-01")
                             : std::to_string(1990 + pick(20)) + "-0" + std::to_string(1 + pick(9)) + "-1" +
                                   std::to_string(pick(10));
    };
    const std::vector<std::string> groups = {"plain", "\"a, \"\"b\"\"\"", "\"q\" after", "\"open, x", "", " \"sp\" ",
                                             "\"\"", "x\"y"};
    std::string bytes = "id,begin,end,status,group,note\n";
    for (int i = 0; i < 120000; ++i) {
        if (pick(100) == 0) bytes += pick(2) ? "\n" : "\r\n";
        bytes += std::to_string(i) + "," + date() + "," + date() + "," + std::to_string(pick(3)) + "," +
                 groups[pick(static_cast<int>(groups.size()))];
        for (int extra = pick(3); extra > 0; --extra) bytes += ",\"n" + std::to_string(pick(1000)) + "\"";
        bytes += "\n";
    }
    TextImportSettings settings;
    settings.separator = ",";
    settings.firstLineNames = settings.quotedFields = settings.useGroup = true;
    settings.beginName = "begin", settings.endName = "end", settings.statusName = "status", settings.groupName = "group";
    settings.beginFormat = settings.endFormat = "YYYY-MM-DD";
    ASSERT_EQ(ReadFile(dir.Write("many.csv", bytes), settings), "");

    TextImportSettings layout = settings;
    layout.beginColumn = 2, layout.endColumn = 3, layout.statusColumn = 4, layout.groupColumn = 5;
    TextRecordParser parser(layout, true);
    std::vector<std::vector<std::string>> columns(6);
    size_t rows = 0;
    std::int32_t unclosed = 0;
    std::int64_t firstInvalid = 0;
    size_t lineNumber = 1;
    for (size_t at = bytes.find('\n') + 1; at < bytes.size(); ++lineNumber) {
        const size_t end = bytes.find('\n', at);
        std::string_view line = std::string_view(bytes).substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        ImportedRecordValues values;
        if (!parser.Parse(line, values)) ++unclosed;
        values.caseNumber = static_cast<std::int32_t>(rows + 1);
        const CCaseRecord expected = BuildCase(values, false);
        const CCaseRecord& got = dataSet.cases.row(rows);
        if (!expected.isValid && firstInvalid == 0) firstInvalid = static_cast<std::int64_t>(lineNumber + 1);
        if (got.caseNumber != expected.caseNumber || got.beginDate != expected.beginDate ||
            got.endDate != expected.endDate || got.statusText != expected.statusText.view() ||
            got.groupText != expected.groupText.view() || got.isValid != expected.isValid)
            FAIL() << "line " << lineNumber + 1 << ": " << line;
        const auto& fields = parser.fields();
        if (fields.size() > columns.size()) columns.resize(fields.size(), std::vector<std::string>(rows));
        for (size_t c = 0; c < columns.size(); ++c) columns[c].emplace_back(c < fields.size() ? fields[c] : "");
        ++rows;
    }
    ASSERT_EQ(dataSet.cases.records.size(), rows);
    EXPECT_EQ(dataSet.firstInvalidLineNumber, firstInvalid);
    EXPECT_EQ(dataSet.notes.back(), "lines whose field in double quotes does not close on the line, kept as invalid "
                                    "cases: " + std::to_string(unclosed));
    ASSERT_EQ(dataSet.columns.columnCount(), columns.size());
    for (size_t c = 0; c < columns.size(); ++c)
        for (size_t r = 0; r < rows; ++r)
            if (dataSet.columns[c].Value(r) != columns[c][r]) FAIL() << "column " << c << " row " << r;
}

}  // namespace
}  // namespace kalderon
