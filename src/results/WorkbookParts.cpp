#include "results/WorkbookParts.h"

#include <charconv>

namespace kalderon {
namespace {

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kPackageRelationships = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr const char* kContentType = "application/vnd.openxmlformats-officedocument.";

template <typename Number>
void AppendNumber(std::string& out, Number value)
{
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

std::string Relation(int id, const std::string& type, const std::string& target)
{
    return "<Relationship Id=\"rId" + std::to_string(id) + "\" Type=\"" + kRelationships + "/" + type + "\" Target=\"" +
           target + "\"/>";
}

// The width the file keeps for a column `characters` digits wide (a digit
// of the default font being 7 pixels, with 5 pixels of margin).
double StoredWidth(double characters)
{
    const double pixels = characters < 1.0 ? static_cast<int>(characters * 12.0 + 0.5) : static_cast<int>(characters * 7.0 + 0.5) + 5.0;
    return static_cast<int>(pixels / 7.0 * 256.0) / 256.0;
}

}  // namespace

void AppendXmlText(std::string& out, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') out += c;
        }
    }
}

void AppendCellReference(std::string& out, long row, int column)
{
    char letters[4];
    int count = 0;
    for (int c = column + 1; c > 0; c = (c - 1) / 26) letters[count++] = static_cast<char>('A' + (c - 1) % 26);
    while (count > 0) out += letters[--count];
    AppendNumber(out, row + 1);
}

std::string ContentTypesXml(const std::vector<WorkbookSheetPart>& sheets)
{
    std::string xml = kDeclaration;
    xml += "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>";
    xml += std::string("<Default Extension=\"vml\" ContentType=\"") + kContentType + "vmlDrawing\"/>";
    xml += std::string("<Override PartName=\"/xl/workbook.xml\" ContentType=\"") + kContentType + "spreadsheetml.sheet.main+xml\"/>";
    xml += std::string("<Override PartName=\"/xl/styles.xml\" ContentType=\"") + kContentType + "spreadsheetml.styles+xml\"/>";
    for (size_t s = 0; s < sheets.size(); ++s) {
        const std::string number = std::to_string(s + 1);
        xml += "<Override PartName=\"/xl/worksheets/sheet" + number + ".xml\" ContentType=\"" + kContentType +
               "spreadsheetml.worksheet+xml\"/>";
        if (sheets[s].hasNotes)
            xml += "<Override PartName=\"/xl/comments" + number + ".xml\" ContentType=\"" + kContentType +
                   "spreadsheetml.comments+xml\"/>";
    }
    return xml + "</Types>";
}

std::string PackageRelationsXml()
{
    return std::string(kDeclaration) + "<Relationships xmlns=\"" + kPackageRelationships + "\">" +
           Relation(1, "officeDocument", "xl/workbook.xml") + "</Relationships>";
}

std::string WorkbookXml(const std::vector<WorkbookSheetPart>& sheets)
{
    std::string xml = std::string(kDeclaration) + "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRelationships +
                      "\"><bookViews><workbookView/></bookViews><sheets>";
    for (size_t s = 0; s < sheets.size(); ++s) {
        xml += "<sheet name=\"";
        AppendXmlText(xml, sheets[s].name);
        xml += "\" sheetId=\"" + std::to_string(s + 1) + "\" r:id=\"rId" + std::to_string(s + 1) + "\"/>";
    }
    return xml + "</sheets></workbook>";
}

std::string WorkbookRelationsXml(size_t sheets)
{
    std::string xml = std::string(kDeclaration) + "<Relationships xmlns=\"" + kPackageRelationships + "\">";
    for (size_t s = 0; s < sheets; ++s)
        xml += Relation(static_cast<int>(s + 1), "worksheet", "worksheets/sheet" + std::to_string(s + 1) + ".xml");
    xml += Relation(static_cast<int>(sheets + 1), "styles", "styles.xml");
    return xml + "</Relationships>";
}

std::string StylesXml(const std::vector<std::string>& numberFormats)
{
    constexpr int kFirstOwnFormat = 164;
    std::string xml = std::string(kDeclaration) + "<styleSheet xmlns=\"" + kMain + "\">";
    if (!numberFormats.empty()) {
        xml += "<numFmts count=\"" + std::to_string(numberFormats.size()) + "\">";
        for (size_t f = 0; f < numberFormats.size(); ++f) {
            xml += "<numFmt numFmtId=\"" + std::to_string(kFirstOwnFormat + f) + "\" formatCode=\"";
            AppendXmlText(xml, numberFormats[f]);
            xml += "\"/>";
        }
        xml += "</numFmts>";
    }
    xml += "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font></fonts>"
           "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
           "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>";
    xml += "<cellXfs count=\"" + std::to_string(numberFormats.size() + 1) +
           "\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>";
    for (size_t f = 0; f < numberFormats.size(); ++f)
        xml += "<xf numFmtId=\"" + std::to_string(kFirstOwnFormat + f) +
               "\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/>";
    return xml + "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles></styleSheet>";
}

std::string SheetStartXml(const std::map<int, double>& widths, bool selected)
{
    std::string xml = std::string(kDeclaration) + "<worksheet xmlns=\"" + kMain + "\" xmlns:r=\"" + kRelationships + "\">";
    xml += selected ? "<sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"/></sheetViews>"
                    : "<sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>";
    xml += "<sheetFormatPr defaultRowHeight=\"15\"/>";
    if (!widths.empty()) {
        xml += "<cols>";
        for (const auto& [column, characters] : widths) {
            const std::string number = std::to_string(column + 1);
            xml += "<col min=\"" + number + "\" max=\"" + number + "\" width=\"";
            AppendNumber(xml, StoredWidth(characters));
            xml += "\" customWidth=\"1\"/>";
        }
        xml += "</cols>";
    }
    return xml + "<sheetData>";
}

std::string SheetEndXml(bool hasNotes)
{
    return std::string("</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
                       "footer=\"0.3\"/>") +
           (hasNotes ? "<legacyDrawing r:id=\"rId1\"/>" : "") + "</worksheet>";
}

std::string SheetRelationsXml(int sheet)
{
    const std::string number = std::to_string(sheet);
    return std::string(kDeclaration) + "<Relationships xmlns=\"" + kPackageRelationships + "\">" +
           Relation(1, "vmlDrawing", "../drawings/vmlDrawing" + number + ".vml") +
           Relation(2, "comments", "../comments" + number + ".xml") + "</Relationships>";
}

std::string CommentsXml(const std::vector<WorkbookNote>& notes)
{
    std::string xml = std::string(kDeclaration) + "<comments xmlns=\"" + kMain +
                      "\"><authors><author></author></authors><commentList>";
    for (const WorkbookNote& note : notes) {
        xml += "<comment ref=\"";
        AppendCellReference(xml, note.row, note.column);
        xml += "\" authorId=\"0\"><text><r><rPr><sz val=\"8\"/><rFont val=\"Tahoma\"/><family val=\"2\"/></rPr><t>";
        AppendXmlText(xml, note.text);
        xml += "</t></r></text></comment>";
    }
    return xml + "</commentList></comments>";
}

// The hidden boxes a spreadsheet shows the notes in, each anchored beside
// its cell (columns and rows with offsets in pixels).  Shape ids of a
// drawing are numbered in a block of 1024 of its own, which its notes fit in.
std::string NoteDrawingXml(int sheet, const std::vector<WorkbookNote>& notes)
{
    std::string xml = "<xml xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
                      "xmlns:x=\"urn:schemas-microsoft-com:office:excel\"><o:shapelayout v:ext=\"edit\"><o:idmap "
                      "v:ext=\"edit\" data=\"" + std::to_string(sheet) + "\"/></o:shapelayout>"
                      "<v:shapetype id=\"_x0000_t202\" coordsize=\"21600,21600\" o:spt=\"202\" "
                      "path=\"m,l,21600r21600,l21600,xe\"><v:stroke joinstyle=\"miter\"/><v:path gradientshapeok=\"t\" "
                      "o:connecttype=\"rect\"/></v:shapetype>";
    for (size_t n = 0; n < notes.size(); ++n) {
        const WorkbookNote& note = notes[n];
        const long top = note.row > 0 ? note.row - 1 : 0;
        xml += "<v:shape id=\"_x0000_s" + std::to_string(sheet * 1024 + static_cast<int>(n) + 1) +
               "\" type=\"#_x0000_t202\" style=\"position:absolute;width:96pt;height:55.5pt;z-index:" +
               std::to_string(n + 1) +
               ";visibility:hidden\" fillcolor=\"#ffffe1\" o:insetmode=\"auto\"><v:fill color2=\"#ffffe1\"/>"
               "<v:shadow on=\"t\" color=\"black\" obscured=\"t\"/><v:path o:connecttype=\"none\"/>"
               "<v:textbox style=\"mso-direction-alt:auto\"><div style=\"text-align:left\"></div></v:textbox>"
               "<x:ClientData ObjectType=\"Note\"><x:MoveWithCells/><x:SizeWithCells/><x:Anchor>" +
               std::to_string(note.column + 1) + ", 15, " + std::to_string(top) + ", 10, " +
               std::to_string(note.column + 3) + ", 15, " + std::to_string(top + 4) + ", 4</x:Anchor>"
               "<x:AutoFill>False</x:AutoFill><x:Row>" + std::to_string(note.row) + "</x:Row><x:Column>" +
               std::to_string(note.column) + "</x:Column></x:ClientData></v:shape>";
    }
    return xml + "</xml>";
}

}  // namespace kalderon
