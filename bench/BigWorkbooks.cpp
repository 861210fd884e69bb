#include "BigWorkbooks.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>
#include <zip.h>

#include "CaseFileGenerator.h"
#include "stats/DateValue.h"

namespace kalderon::bench {
namespace {

struct Case {
    std::string fields[6];  // begin;end;status;group;sex;birth
};

bool ReadCase(const std::string& line, Case& c)
{
    size_t from = 0;
    for (int i = 0; i < 6; ++i) {
        const size_t to = i < 5 ? line.find(';', from) : line.size();
        if (to == std::string::npos) return false;
        c.fields[i] = line.substr(from, to - from);
        from = to + 1;
    }
    return true;
}

// The day in the 1900 date system, which counts a 29 February 1900.
long Serial(const std::string& date)
{
    const DateValue d = DateValue::FromYmd(std::stoi(date.substr(6, 4)), std::stoi(date.substr(3, 2)), std::stoi(date.substr(0, 2)));
    const long day = static_cast<long>(d.serial());
    return day > 0 && day <= 60 ? day - 1 : day;
}

std::string Escaped(const std::string& text) { return text == "<54" ? "&lt;54" : text; }

std::string Iso(const std::string& date) { return date.substr(6, 4) + "-" + date.substr(3, 2) + "-" + date.substr(0, 2); }

void WriteSheetXml(WorkbookKind kind, long count, std::FILE* out, std::map<std::string, int>& shared)
{
    std::ifstream cases(SharedCaseFile(count));
    std::string line;
    Case c;
    const char* names[6] = {"diagnosis_date", "last_contact", "vital_status", "age_group", "sex", "birth_date"};
    if (kind == WorkbookKind::kXlsx) {
        std::fprintf(out, "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet "
                          "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><dimension ref=\"A1:F%ld\"/><sheetData>",
                     count + 1);
        const auto sharedIndex = [&shared](const std::string& text) { return shared.emplace(text, static_cast<int>(shared.size())).first->second; };
        std::fprintf(out, "<row r=\"1\">");
        for (int i = 0; i < 6; ++i) std::fprintf(out, "<c r=\"%c1\" t=\"s\"><v>%d</v></c>", 'A' + i, sharedIndex(names[i]));
        std::fprintf(out, "</row>");
        for (long row = 2; std::getline(cases, line) && ReadCase(line, c); ++row) {
            std::fprintf(out,
                         "<row r=\"%ld\"><c r=\"A%ld\" s=\"1\"><v>%ld</v></c><c r=\"B%ld\" s=\"1\"><v>%ld</v></c><c r=\"C%ld\"><v>%s</v></c>"
                         "<c r=\"D%ld\" t=\"s\"><v>%d</v></c><c r=\"E%ld\"><v>%s</v></c><c r=\"F%ld\" s=\"1\"><v>%ld</v></c></row>",
                         row, row, Serial(c.fields[0]), row, Serial(c.fields[1]), row, c.fields[2].c_str(), row,
                         sharedIndex(c.fields[3]), row, c.fields[4].c_str(), row, Serial(c.fields[5]));
        }
        std::fprintf(out, "</sheetData></worksheet>");
        return;
    }
    std::fprintf(out,
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-content "
                 "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                 "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                 "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
                 "xmlns:calcext=\"urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0\">"
                 "<office:body><office:spreadsheet><table:table table:name=\"Cases\" table:style-name=\"ta1\">"
                 "<table:table-column table:number-columns-repeated=\"16384\"/><table:table-row table:style-name=\"ro1\">");
    for (const char* name : names)
        std::fprintf(out, "<table:table-cell office:value-type=\"string\" calcext:value-type=\"string\"><text:p>%s</text:p></table:table-cell>", name);
    std::fprintf(out, "<table:table-cell table:number-columns-repeated=\"16378\"/></table:table-row>");
    const auto date = [out](const std::string& text) {
        std::fprintf(out,
                     "<table:table-cell table:style-name=\"ce1\" office:value-type=\"date\" office:date-value=\"%s\" "
                     "calcext:value-type=\"date\"><text:p>%s</text:p></table:table-cell>",
                     Iso(text).c_str(), text.c_str());
    };
    const auto number = [out](const std::string& text) {
        std::fprintf(out, "<table:table-cell office:value-type=\"float\" office:value=\"%s\" calcext:value-type=\"float\"><text:p>%s</text:p></table:table-cell>",
                     text.c_str(), text.c_str());
    };
    while (std::getline(cases, line) && ReadCase(line, c)) {
        std::fprintf(out, "<table:table-row table:style-name=\"ro1\">");
        date(c.fields[0]), date(c.fields[1]), number(c.fields[2]);
        std::fprintf(out, "<table:table-cell office:value-type=\"string\" calcext:value-type=\"string\"><text:p>%s</text:p></table:table-cell>",
                     Escaped(c.fields[3]).c_str());
        number(c.fields[4]), date(c.fields[5]);
        std::fprintf(out, "<table:table-cell table:number-columns-repeated=\"16378\"/></table:table-row>");
    }
    std::fprintf(out,
                 "<table:table-row table:style-name=\"ro1\" table:number-rows-repeated=\"%ld\"><table:table-cell "
                 "table:number-columns-repeated=\"16384\"/></table:table-row></table:table></office:spreadsheet></office:body>"
                 "</office:document-content>",
                 1048576 - count - 1);
}

std::string SharedStringsXml(const std::map<std::string, int>& shared)
{
    std::vector<std::string> texts(shared.size());
    for (const auto& [text, index] : shared) texts[static_cast<size_t>(index)] = text;
    std::string xml = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    for (const std::string& text : texts) xml += "<si><t>" + Escaped(text) + "</t></si>";
    return xml + "</sst>";
}

bool WriteWorkbook(WorkbookKind kind, long count, const std::string& path)
{
    const std::string sheetPath = path + ".part";
    std::map<std::string, int> shared;
    std::FILE* out = std::fopen(sheetPath.c_str(), "wb");
    if (!out) return false;
    WriteSheetXml(kind, count, out, shared);
    std::fclose(out);

    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) return false;
    std::vector<std::pair<std::string, std::string>> parts;
    if (kind == WorkbookKind::kXlsx) {
        parts = {{"_rels/.rels",
                  "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" "
                  "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
                 {"xl/workbook.xml",
                  "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                  "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets><sheet name=\"Cases\" "
                  "sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
                 {"xl/_rels/workbook.xml.rels",
                  "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                  "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                  "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
                  "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" Target=\"sharedStrings.xml\"/>"
                  "</Relationships>"},
                 {"xl/styles.xml",
                  "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><numFmts count=\"1\"><numFmt numFmtId=\"164\" "
                  "formatCode=\"DD.MM.YYYY\"/></numFmts><cellXfs count=\"2\"><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/></cellXfs></styleSheet>"},
                 {"xl/sharedStrings.xml", SharedStringsXml(shared)}};
    } else {
        parts = {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}};
    }
    for (const auto& [name, content] : parts)
        zip_file_add(archive, name.c_str(), zip_source_buffer(archive, content.data(), content.size(), 0), 0);
    const char* sheetName = kind == WorkbookKind::kXlsx ? "xl/worksheets/sheet1.xml" : "content.xml";
    zip_file_add(archive, sheetName, zip_source_file(archive, sheetPath.c_str(), 0, -1), 0);
    const bool written = zip_close(archive) == 0;
    std::filesystem::remove(sheetPath);
    return written;
}

}  // namespace

const std::string& SharedWorkbook(WorkbookKind kind, long count)
{
    static std::map<std::pair<WorkbookKind, long>, std::string> made;
    std::string& path = made[{kind, count}];
    if (path.empty()) {
        path = (std::filesystem::temp_directory_path() / ("kalderon_bench_" + std::to_string(count) +
                                                          (kind == WorkbookKind::kXlsx ? ".xlsx" : ".ods")))
                   .string();
        if (!std::filesystem::exists(path) && !WriteWorkbook(kind, count, path)) std::filesystem::remove(path);
    }
    return path;
}

}  // namespace kalderon::bench
