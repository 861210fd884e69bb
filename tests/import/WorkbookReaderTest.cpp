#include <gtest/gtest.h>

#include <fstream>
#include <zip.h>

#include "import/DatabaseImport.h"
#include "import/XlsxDatabase.h"
#include "support/RecordsetRows.h"
#include "support/TempDir.h"

using namespace kalderon;
using kalderon::testing::ReadEveryTable;
using kalderon::testing::RowTexts;
using kalderon::testing::RowValues;
using kalderon::testing::TempDir;

namespace {

using Members = std::vector<std::pair<std::string, std::string>>;

// A zip archive of the members (deflated), as the file `name` of `dir`.
std::string WriteZip(const TempDir& dir, const std::string& name, const Members& members)
{
    const std::string path = dir.path(name);
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const auto& [member, content] : members)
        zip_file_add(archive, member.c_str(), zip_source_buffer(archive, content.data(), content.size(), 0), 0);
    zip_close(archive);
    return path;
}

// The file with the uncompressed size of its first member made `size`, in
// its local header and in the central directory.
void ClaimSize(const std::string& path, std::uint32_t size)
{
    std::string bytes = kalderon::testing::ReadBytes(path);
    const auto patch = [&](const std::string& signature, size_t offset) {
        const size_t at = bytes.find(signature);
        ASSERT_NE(at, std::string::npos);
        for (int i = 0; i < 4; ++i) bytes[at + offset + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    };
    patch(std::string("PK\x03\x04", 4), 22);
    patch(std::string("PK\x01\x02", 4), 24);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

const std::string kRels =
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)";
const std::string kWorkbookRels =
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>)"
    R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="/xl/styles.xml"/>)"
    R"(<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/></Relationships>)";
const std::string kStyles =
    R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><numFmts count="2">)"
    R"(<numFmt numFmtId="164" formatCode="&quot;day&quot;\ 0.00"/><numFmt numFmtId="165" formatCode="[$-407]d/m/yyyy;@"/></numFmts>)"
    R"(<cellStyleXfs count="1"><xf numFmtId="14"/></cellStyleXfs>)"
    R"(<cellXfs count="4"><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/><xf numFmtId="165"/></cellXfs></styleSheet>)";
const std::string kSharedStrings =
    R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><si><t>begin</t></si>)"
    R"(<si><r><t>st</t></r><r><rPr><b/></rPr><t xml:space="preserve">age I</t></r><rPh><t>X</t></rPh></si></sst>)";

// An .xlsx workbook of one sheet "Data" with these cells and this date system.
Members Xlsx(const std::string& sheetData, const std::string& dimension = "A1:F4", bool date1904 = false)
{
    const std::string workbook =
        std::string(R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)") +
        (date1904 ? R"(<workbookPr date1904="true"/>)" : "") + R"(<sheets><sheet name="Data" sheetId="1" r:id="rId1"/></sheets></workbook>)";
    return {{"_rels/.rels", kRels},
            {"xl/workbook.xml", workbook},
            {"xl/_rels/workbook.xml.rels", kWorkbookRels},
            {"xl/styles.xml", kStyles},
            {"xl/sharedStrings.xml", kSharedStrings},
            {"xl/worksheets/sheet1.xml",
             R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><dimension ref=")" + dimension +
                 R"("/><sheetData>)" + sheetData + "</sheetData></worksheet>"}};
}

// An .ods spreadsheet of these tables (table elements with their rows).
Members Ods(const std::string& tables)
{
    return {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
            {"content.xml",
             R"(<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" )"
             R"(xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0">)"
             R"(<office:body><office:spreadsheet>)" + tables + "</office:spreadsheet></office:body></office:document-content>"}};
}

std::vector<std::string> Names(const Database& db)
{
    std::vector<std::string> names;
    for (const TableDefInfo& t : db.TableDefs()) names.push_back(t.name);
    return names;
}

// The message of the fault of opening the file and reading all its tables
// in this process, or "" when all reads.
std::string FaultOfReading(const std::string& path, const std::string& connect)
{
    const DatabaseResult db = OpenDatabaseInProcess(path, connect);
    const ReadResult<void> read = db ? ReadEveryTable(**db) : ReadResult<void>(db.fault());
    return read ? std::string() : ReaderFaultMessage(InFile(read.fault(), path));
}

}  // namespace

TEST(WorkbookReader, XlsxCellsOfEveryKind)
{
    TempDir dir;
    // Row 1: names, one of them empty; row 3 is left out; cells of rows 2
    // and 4: shared and rich texts, dates of both format kinds, a number in
    // a format with "day" in quotes, inline and formula texts, booleans,
    // errors, the days around 29 February 1900 and a time of day.
    const std::string cells =
        R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="C1" t="inlineStr"><is><t>when</t></is></c></row>)"
        R"(<row r="2"><c r="A2" s="1"><v>59</v></c><c r="B2" t="s"><v>1</v></c><c r="C2" s="3"><v>61</v></c>)"
        R"(<c r="D2" s="2"><v>1.5</v></c><c r="E2" t="b"><v>1</v></c><c r="F2" t="e"><v>#N/A</v></c></row>)"
        R"(<row r="4"><c s="1"><v>60</v></c><c t="str"><f>A1</f><v>begin</v></c><c r="C4" s="1"><v>0.75</v></c>)"
        R"(<c r="D4" t="inlineStr"><is><r><t>a</t></r><r><t>b</t></r></is></c><c r="E4" t="b"><v>0</v></c><c r="F4"><v>2.5E3</v></c></row>)";
    const auto db = OpenDatabaseInProcess(WriteZip(dir, "a.xlsx", Xlsx(cells)), kXlsxConnect).value();
    EXPECT_EQ(Names(*db), (std::vector<std::string>{"Data$"}));
    EXPECT_EQ(db->FieldNames("data$").value(), (std::vector<std::string>{"begin", "F2", "when", "F4", "F5", "F6"}));
    auto rows = db->OpenTable("Data$").value();
    EXPECT_EQ(rows->RecordCountHint(), 3u);
    const std::vector<std::vector<FieldValue>> values = RowValues(*rows);
    const FieldValue null = FieldValue::Null();
    EXPECT_EQ(values, (std::vector<std::vector<FieldValue>>{
                          {FieldValue::Date(60), FieldValue::Text("stage I"), FieldValue::Date(61), FieldValue::Double(1.5),
                           FieldValue::Boolean(true), null},
                          {null, null, null, null, null, null},
                          {null, FieldValue::Text("begin"), FieldValue::Date(0.75), FieldValue::Text("ab"),
                           FieldValue::Boolean(false), FieldValue::Double(2500)}}));

    // The 1904 date system counts from 1 January 1904.
    const auto mac = OpenDatabaseInProcess(WriteZip(dir, "b.xlsx", Xlsx(cells, "A1:F4", true)), kXlsxConnect).value();
    EXPECT_EQ(RowTexts(*mac->OpenTable("Data$").value())[0][0], "29.02.1904");

    EXPECT_TRUE(IsDateNumberFormat(0, "yyyy-mm-dd"));
    EXPECT_TRUE(IsDateNumberFormat(0, "[h]:mm:ss"));
    EXPECT_FALSE(IsDateNumberFormat(0, "0.00\" days\""));
    EXPECT_FALSE(IsDateNumberFormat(0, "#,##0 [$EUR-407]"));
    EXPECT_FALSE(IsDateNumberFormat(0, "General"));
    EXPECT_TRUE(IsDateNumberFormat(47, ""));
}

TEST(WorkbookReader, OdsCellsOfEveryKind)
{
    TempDir dir;
    // A first table of field names repeated into two rows; a covered cell,
    // a repeated value, texts of two paragraphs with spaces and a note, an
    // empty row, equal rows folded into one, and the empty rows and cells
    // up to the end of the sheet.
    const std::string tables =
        R"(<table:table table:name="Cases"><table:table-column table:number-columns-repeated="16384"/>)"
        R"(<table:table-row><table:table-cell office:value-type="string"><text:p>begin</text:p></table:table-cell>)"
        R"(<table:table-cell/><table:table-cell office:value-type="string"><text:p>end</text:p></table:table-cell>)"
        R"(<table:table-cell table:number-columns-repeated="16381"/></table:table-row>)"
        R"(<table:table-row><table:table-cell office:value-type="date" office:date-value="1982-06-24T12:00:00" table:number-columns-spanned="2"/>)"
        R"(<table:covered-table-cell office:value-type="float" office:value="7"/>)"
        R"(<table:table-cell office:value-type="time" office:time-value="PT18H00M00S"/>)"
        R"(<table:table-cell office:value-type="percentage" office:value="0.25" table:number-columns-repeated="2"/>)"
        R"(<table:table-cell office:value-type="boolean" office:boolean-value="true"/></table:table-row>)"
        R"(<table:table-row><table:table-cell office:value-type="string"><office:annotation><text:p>note</text:p></office:annotation>)"
        R"(<text:p>a<text:s text:c="2"/>b</text:p><text:p><text:span>c</text:span></text:p></table:table-cell>)"
        R"(<table:table-cell office:value-type="currency" office:value="-1.5E2"/><table:table-cell office:value-type="float" office:value="x"><text:p>x</text:p></table:table-cell></table:table-row>)"
        R"(<table:table-row table:number-rows-repeated="2"><table:table-cell table:number-columns-repeated="3"/></table:table-row>)"
        R"(<table:table-row table:number-rows-repeated="2"><table:table-cell office:value-type="float" office:value="3"/></table:table-row>)"
        R"(<table:table-row table:number-rows-repeated="1048567"><table:table-cell table:number-columns-repeated="16384"/></table:table-row>)"
        R"(</table:table><table:table table:name="Second"><table:table-row table:number-rows-repeated="2">)"
        R"(<table:table-cell office:value-type="float" office:value="1"/></table:table-row></table:table>)";
    const auto db = OpenDatabase(WriteZip(dir, "a.ods", Ods(tables)), kOdsConnect).value();
    EXPECT_EQ(Names(*db), (std::vector<std::string>{"Cases$", "Second$"}));
    EXPECT_EQ(db->FieldNames("Cases$").value(), (std::vector<std::string>{"begin", "F2", "end"}));
    const std::vector<std::vector<FieldValue>> values = RowValues(*db->OpenTable("Cases$").value());
    const FieldValue null = FieldValue::Null(), three = FieldValue::Double(3);
    EXPECT_EQ(values, (std::vector<std::vector<FieldValue>>{
                          {FieldValue::Date(30126.5), null, FieldValue::Date(0.75)},
                          {FieldValue::Text("a  b\nc"), FieldValue::Double(-150), FieldValue::Text("x")},
                          {null, null, null},
                          {null, null, null},
                          {three, null, null},
                          {three, null, null}}));
    // A first row that stands for two rows is the names and a record.
    EXPECT_EQ(RowTexts(*db->OpenTable("Second$").value()), (std::vector<std::vector<std::string>>{{"1"}}));
    EXPECT_EQ(db->OpenTable("Third$").fault().errorNumber, kDaoObjectNotFound);
}

TEST(WorkbookReader, DamagedAndHostileWorkbooksAreRefusedWithTheirReason)
{
    TempDir dir;
    const std::string row = R"(<row r="1"><c r="A1"><v>1</v></c></row>)";
    const std::string notZip = dir.Write("plain.xlsx", "begin;end;status\n");
    EXPECT_EQ(FaultOfReading(notZip, kXlsxConnect), notZip + ": the file is no workbook: it is not a zip archive");
    Members noWorkbook = Xlsx(row);
    noWorkbook.erase(noWorkbook.begin() + 1);
    const std::string missing = WriteZip(dir, "missing.xlsx", noWorkbook);
    EXPECT_EQ(FaultOfReading(missing, kXlsxConnect), missing + ": the workbook has no part xl/workbook.xml");
    const std::string noContent = WriteZip(dir, "missing.ods", {{"mimetype", "x"}});
    EXPECT_EQ(FaultOfReading(noContent, kOdsConnect), noContent + ": the workbook has no part content.xml");

    // A member that claims more than 1 GiB, or to expand more than 1000
    // times, is not inflated; one that inflates beyond its claim is stopped.
    Members big = Ods("");
    big[1].second += std::string(3 << 20, ' ');
    const std::string huge = WriteZip(dir, "huge.ods", {big[1]});
    ClaimSize(huge, 0xF0000000u);
    EXPECT_EQ(FaultOfReading(huge, kOdsConnect),
              huge + ": the part content.xml of the workbook claims 4026531840 bytes, more than a workbook part may hold "
                     "(1 GiB): not read");
    const std::string bomb = WriteZip(dir, "bomb.ods", {big[1]});
    ClaimSize(bomb, 400u << 20);
    EXPECT_NE(FaultOfReading(bomb, kOdsConnect).find(": the part content.xml of the workbook claims to expand from "),
              std::string::npos);
    const std::string overrun = WriteZip(dir, "overrun.ods", {big[1]});
    ClaimSize(overrun, 1000);
    EXPECT_EQ(FaultOfReading(overrun, kOdsConnect),
              overrun + ": the part content.xml of the workbook expands beyond the size it declares");

    // No document type, hence no entity, is read.
    Members entities = Xlsx(row);
    entities[1].second = R"(<?xml version="1.0"?><!DOCTYPE w [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;">]>)" +
                         entities[1].second;
    const std::string doctype = WriteZip(dir, "doctype.xlsx", entities);
    EXPECT_EQ(FaultOfReading(doctype, kXlsxConnect),
              doctype + ": the part xl/workbook.xml of the workbook declares a document type: refused, no entity "
                        "declarations are read");
    Members broken = Xlsx(row + "<row>");
    const std::string notXml = WriteZip(dir, "broken.xlsx", broken);
    EXPECT_EQ(FaultOfReading(notXml, kXlsxConnect),
              notXml + ": the part xl/worksheets/sheet1.xml of the workbook is no well-formed XML: mismatched tag (line 1)");

    // Sheets beyond 1,048,576 rows or 16,384 columns.
    const std::vector<std::pair<Members, std::string>> tooLarge = {
        {Xlsx(row, "A1:XFE2"), "the sheet Data claims more than 1,048,576 rows or 16,384 columns: A1:XFE2"},
        {Xlsx(row, "A1:A1048577"), "the sheet Data claims more than 1,048,576 rows or 16,384 columns: A1:A1048577"},
        {Xlsx(R"(<row r="2"><c r="A99999999999999999999"><v>1</v></c></row>)"),
         "the sheet Data claims more than 1,048,576 rows or 16,384 columns: A99999999999999999999"},
        {Xlsx(R"(<row r="1048577"/>)"), "the sheet Data claims more than 1,048,576 rows or 16,384 columns: 1048577"},
        {Xlsx(R"(<row r="2"/><row r="1"/>)"), "the sheet Data gives rows or cells out of their order"},
        {Ods(R"(<table:table table:name="T"><table:table-row><table:table-cell office:value-type="float" office:value="1"/>)"
             R"(</table:table-row><table:table-row table:number-rows-repeated="1048575"/><table:table-row/></table:table>)"),
         "the sheet T repeats rows or cells beyond 1,048,576 rows or 16,384 columns"},
        {Ods(R"(<table:table table:name="T"><table:table-row><table:table-cell table:number-columns-repeated="99999999999999999999"/>)"
             R"(</table:table-row></table:table>)"),
         "the sheet T repeats rows or cells beyond 1,048,576 rows or 16,384 columns"},
    };
    for (size_t i = 0; i < tooLarge.size(); ++i) {
        const bool ods = tooLarge[i].first.front().first == "mimetype";
        const std::string path = WriteZip(dir, std::to_string(i) + (ods ? ".ods" : ".xlsx"), tooLarge[i].first);
        EXPECT_EQ(FaultOfReading(path, ods ? kOdsConnect : kXlsxConnect), path + ": " + tooLarge[i].second);
    }

    // Through the import: the program goes on with the message.
    const ReadResult<TableChoice> tables = ListDatabaseTables(doctype);
    ASSERT_FALSE(tables.ok());
    EXPECT_NE(ReaderFaultMessage(tables.fault()).find(doctype + ": the part xl/workbook.xml"), std::string::npos);
}

TEST(WorkbookReader, OdsReadingTellsItsProgressByTheShareOfContentRead)
{
    // An .ods declares no row count: the count told grows out of the share
    // of content.xml read, through the reader's child process.
    TempDir dir;
    constexpr size_t kRecords = 140000;
    std::string rows = R"(<table:table table:name="T"><table:table-row><table:table-cell office:value-type="string">)"
                       R"(<text:p>n</text:p></table:table-cell></table:table-row>)";
    for (size_t i = 0; i < kRecords; ++i)
        rows += R"(<table:table-row><table:table-cell office:value-type="float" office:value=")" + std::to_string(i) +
                R"("/></table:table-row>)";
    const auto db = OpenDatabase(WriteZip(dir, "long.ods", Ods(rows + "</table:table>")), kOdsConnect).value();
    CColumnAssignment columns;
    columns[CColumnAssignment::kBegin] = columns[CColumnAssignment::kEnd] = columns[CColumnAssignment::kStatus] = 0;
    std::vector<std::pair<size_t, size_t>> calls;
    const ReadResult<DataSet> read =
        ReadTableIntoDataSet(*db, "T$", columns, [&calls](size_t done, size_t total) { calls.emplace_back(done, total); });
    ASSERT_TRUE(read.ok()) << ReaderFaultMessage(read.fault());
    EXPECT_EQ(read->cases.records.size(), kRecords);
    ASSERT_EQ(calls.size(), 2u);
    for (const auto& [done, total] : calls) EXPECT_NEAR(static_cast<double>(total), kRecords, kRecords * 0.01) << done;
}

TEST(WorkbookReader, APartWhoseContentDoesNotMatchItsCrcIsRefused)
{
    TempDir dir;
    Members members = Xlsx(R"(<row r="1"><c r="A1"><v>1</v></c></row>)");
    members.back().second += std::string(1000, ' ');
    const std::string path = WriteZip(dir, "crc.xlsx", members);
    // The CRC stands 16 bytes before the member's name in its local header
    // and 30 bytes before it in the central directory.
    std::string bytes = kalderon::testing::ReadBytes(path);
    const size_t local = bytes.find("xl/worksheets/sheet1.xml"), central = bytes.find("xl/worksheets/sheet1.xml", local + 1);
    ASSERT_NE(central, std::string::npos);
    bytes[local - 16] ^= 1;
    bytes[central - 30] ^= 1;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    EXPECT_EQ(FaultOfReading(path, kXlsxConnect),
              path + ": the part xl/worksheets/sheet1.xml of the workbook cannot be read: CRC error");
}
