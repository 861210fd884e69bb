#include "results/WorkbookFile.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "common/TextFormat.h"
#include "resources/Texts.h"
#include "results/WorkbookParts.h"
#include "results/ZipWriter.h"

namespace kalderon {
namespace {

constexpr size_t kFlushBytes = 1 << 20;  // of a sheet's XML, handed on to be compressed
constexpr size_t kFileBufferBytes = 1 << 16;
constexpr const char* kDateFormat = "dd.mm.yyyy hh:mm:ss";

// A new, empty file beside `path` for the workbook to be written to.
std::string TemporaryBeside(const std::string& path)
{
    std::string name = path + ".XXXXXX";
    const int fd = mkstemp(name.data());
    if (fd < 0) return {};
    // The permissions of a file made as usual, not those of a temporary one.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    return name;
}

// Days from 1899-12-30, the day a spreadsheet's dates count from, to the
// day of the (proleptic Gregorian) calendar.
long SpreadsheetDay(int year, int month, int day)
{
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153L * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    constexpr long kDaysFrom1970To18991230 = -25569;
    return era * 146097 + dayOfEra - 719468 - kDaysFrom1970To18991230;
}

std::string SheetPart(int sheet) { return "xl/worksheets/sheet" + std::to_string(sheet) + ".xml"; }

}  // namespace

struct WorkbookFile::State {
    enum Stage { kUnwritten, kWriting, kWritten };
    struct Sheet {
        std::string name;
        std::map<int, double> widths;
        std::vector<WorkbookNote> notes;
        Stage stage = kUnwritten;
    };

    std::string path;
    std::string temporary;
    std::FILE* file = nullptr;
    std::unique_ptr<ZipWriter> zip;
    int openError = 0;  // errno of a temporary file that could not be made
    std::string failure;

    std::vector<Sheet> sheets;
    int writing = -1;  // the sheet being written
    bool started = false;  // its part has begun in the archive
    long row = -1;
    int column = -1;
    std::string xml;  // what is written of it and not yet compressed

    std::vector<std::string> numberFormats;
    std::vector<int> decimalStyles;  // by decimals, 0 while not yet made
    int dateStyle = 0;

    int StyleOf(const std::string& format)
    {
        numberFormats.push_back(format);
        return static_cast<int>(numberFormats.size());
    }

    int DecimalStyle(int decimals)
    {
        if (decimals < 0) return 0;
        if (static_cast<size_t>(decimals) >= decimalStyles.size()) decimalStyles.resize(static_cast<size_t>(decimals) + 1);
        int& style = decimalStyles[static_cast<size_t>(decimals)];
        if (style == 0) style = StyleOf(decimals == 0 ? "0" : "0." + std::string(static_cast<size_t>(decimals), '0'));
        return style;
    }

    void Fail(const std::string& why)
    {
        if (failure.empty()) failure = why;
    }

    // Begins the cell at `row`, `column` of `sheet` in the XML ("<c r=..."),
    // finishing the row or sheet before; false when it cannot be written.
    bool BeginCell(int sheet, long atRow, int atColumn)
    {
        if (sheet < 0 || !zip) return false;
        if (sheet != writing && !BeginSheet(sheet)) return false;
        if (atRow != row) {
            if (atRow < row) return OutOfOrder();
            EndRow();
            row = atRow;
            column = -1;
            xml += "<row r=\"";
            char digits[24];
            xml.append(digits, std::to_chars(digits, digits + sizeof digits, row + 1).ptr);
            xml += "\">";
        }
        if (atColumn <= column) return OutOfOrder();
        column = atColumn;
        xml += "<c r=\"";
        AppendCellReference(xml, row, column);
        xml += '"';
        return true;
    }

    bool OutOfOrder()
    {
        Fail(FormatText(text::kWorkbookWrittenOutOfOrder, sheets[static_cast<size_t>(writing)].name));
        return false;
    }

    bool BeginSheet(int sheet)
    {
        EndSheet();
        if (sheets[static_cast<size_t>(sheet)].stage == kWritten) {
            writing = sheet;
            OutOfOrder();
            writing = -1;
            return false;
        }
        writing = sheet;
        sheets[static_cast<size_t>(sheet)].stage = kWriting;
        started = false;
        row = -1;
        return true;
    }

    // The sheet's part begins (with its columns' widths, known by now) with
    // its first row.
    void Start()
    {
        if (started) return;
        started = true;
        zip->BeginEntry(SheetPart(writing + 1));
        xml.insert(0, SheetStartXml(sheets[static_cast<size_t>(writing)].widths, writing == 0));
    }

    void EndRow()
    {
        if (row < 0) return;
        xml += "</row>";
        Start();
        if (xml.size() >= kFlushBytes) {
            zip->Write(xml);
            xml.clear();
        }
    }

    void EndSheet()
    {
        if (writing < 0) return;
        EndRow();
        Start();
        Sheet& sheet = sheets[static_cast<size_t>(writing)];
        const int number = writing + 1;
        xml += SheetEndXml(!sheet.notes.empty());
        zip->Write(xml);
        xml.clear();
        zip->EndEntry();
        if (!sheet.notes.empty()) {
            WritePart("xl/worksheets/_rels/sheet" + std::to_string(number) + ".xml.rels", SheetRelationsXml(number));
            WritePart("xl/comments" + std::to_string(number) + ".xml", CommentsXml(sheet.notes));
            WritePart("xl/drawings/vmlDrawing" + std::to_string(number) + ".vml", NoteDrawingXml(number, sheet.notes));
        }
        sheet.stage = kWritten;
        writing = -1;
    }

    void WritePart(const std::string& name, const std::string& content)
    {
        zip->BeginEntry(name);
        zip->Write(content);
        zip->EndEntry();
    }

    // Writes the sheets not yet written (empty) and the workbook's other parts.
    void Finish()
    {
        EndSheet();
        std::vector<WorkbookSheetPart> parts;
        for (size_t s = 0; s < sheets.size(); ++s) {
            if (sheets[s].stage == kUnwritten) {
                BeginSheet(static_cast<int>(s));
                EndSheet();
            }
            parts.push_back(WorkbookSheetPart{sheets[s].name, !sheets[s].notes.empty()});
        }
        WritePart("[Content_Types].xml", ContentTypesXml(parts));
        WritePart("xl/workbook.xml", WorkbookXml(parts));
        WritePart("xl/_rels/workbook.xml.rels", WorkbookRelationsXml(parts.size()));
        WritePart("xl/styles.xml", StylesXml(numberFormats));
    }
};

WorkbookFile::WorkbookFile(const std::string& path) : state_(std::make_unique<State>())
{
    state_->path = path;
    state_->temporary = TemporaryBeside(path);
    if (state_->temporary.empty() || !(state_->file = std::fopen(state_->temporary.c_str(), "wb"))) {
        state_->openError = errno;
        return;
    }
    std::setvbuf(state_->file, nullptr, _IOFBF, kFileBufferBytes);
    state_->zip = std::make_unique<ZipWriter>(state_->file);
    state_->dateStyle = state_->StyleOf(kDateFormat);
    state_->WritePart("_rels/.rels", PackageRelationsXml());  // first, where file type guessers look
}

WorkbookFile::~WorkbookFile()
{
    if (state_->file) std::fclose(state_->file);
    if (!state_->temporary.empty()) std::remove(state_->temporary.c_str());
}

int WorkbookFile::AddSheet(const std::string& name)
{
    if (!state_->zip) return -1;
    state_->sheets.push_back(State::Sheet{name, {}, {}, State::kUnwritten});
    return static_cast<int>(state_->sheets.size()) - 1;
}

void WorkbookFile::Text(int sheet, long row, int column, const std::string& text)
{
    if (!state_->BeginCell(sheet, row, column)) return;
    std::string& xml = state_->xml;
    const bool spaced = !text.empty() && (std::isspace(static_cast<unsigned char>(text.front())) ||
                                          std::isspace(static_cast<unsigned char>(text.back())));
    xml += spaced ? " t=\"inlineStr\"><is><t xml:space=\"preserve\">" : " t=\"inlineStr\"><is><t>";
    AppendXmlText(xml, text);
    xml += "</t></is></c>";
}

void WorkbookFile::Number(int sheet, long row, int column, double value, int decimals)
{
    if (!state_->BeginCell(sheet, row, column)) return;
    std::string& xml = state_->xml;
    if (const int style = state_->DecimalStyle(decimals)) {
        xml += " s=\"";
        char digits[16];
        xml.append(digits, std::to_chars(digits, digits + sizeof digits, style).ptr);
        xml += '"';
    }
    if (!std::isfinite(value)) {
        xml += " t=\"e\"><v>#NUM!</v></c>";
        return;
    }
    xml += "><v>";
    char digits[32];
    xml.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    xml += "</v></c>";
}

void WorkbookFile::DateTime(int sheet, long row, int column, const std::tm& when)
{
    const double seconds = when.tm_hour * 3600.0 + when.tm_min * 60.0 + when.tm_sec;
    const double day = static_cast<double>(SpreadsheetDay(when.tm_year + 1900, when.tm_mon + 1, when.tm_mday));
    if (!state_->BeginCell(sheet, row, column)) return;
    std::string& xml = state_->xml;
    xml += " s=\"" + std::to_string(state_->dateStyle) + "\"><v>";
    char digits[32];
    xml.append(digits, std::to_chars(digits, digits + sizeof digits, day + seconds / 86400.0).ptr);
    xml += "</v></c>";
}

void WorkbookFile::Note(int sheet, long row, int column, const std::string& text)
{
    if (sheet < 0 || !state_->zip) return;
    State::Sheet& target = state_->sheets[static_cast<size_t>(sheet)];
    if (target.stage == State::kWritten) {
        state_->Fail(FormatText(text::kWorkbookWrittenOutOfOrder, target.name));
        return;
    }
    if (static_cast<long>(target.notes.size()) < kNotesPerSheet) target.notes.push_back(WorkbookNote{row, column, text});
}

void WorkbookFile::ColumnWidth(int sheet, int column, double characters)
{
    if (sheet < 0 || !state_->zip) return;
    state_->sheets[static_cast<size_t>(sheet)].widths[column] = characters;
}

bool WorkbookFile::Close(std::string& reason)
{
    if (!state_->zip) {
        reason = std::strerror(state_->openError);
        return false;
    }
    state_->Finish();
    if (!state_->zip->Finish()) state_->Fail(state_->zip->failure());
    if (std::fclose(state_->file) != 0) state_->Fail(std::strerror(errno));
    state_->file = nullptr;
    state_->zip.reset();
    if (!state_->failure.empty()) {
        reason = state_->failure;
        return false;
    }
    if (std::rename(state_->temporary.c_str(), state_->path.c_str()) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    state_->temporary.clear();
    return true;
}

}  // namespace kalderon
