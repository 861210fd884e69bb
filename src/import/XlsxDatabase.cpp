#include "import/XlsxDatabase.h"

#include <charconv>
#include <cstring>
#include <filesystem>
#include <map>

#include "common/TextFormat.h"
#include "import/FieldConversions.h"
#include "import/RowsRecordset.h"
#include "import/WorkbookSheets.h"
#include "import/XmlPartReader.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

// The days from 30.12.1899 to 1.1.1904, where the 1904 date system counts from.
constexpr double kDays1904 = 1462;

// A part named by a relationship target, relative to the folder of `from`.
std::string ResolvePart(const std::string& from, const std::string& target)
{
    if (!target.empty() && target.front() == '/') return target.substr(1);
    std::string folder = from.substr(0, from.rfind('/') + 1);
    std::string rest = target;
    while (rest.rfind("../", 0) == 0) {
        rest.erase(0, 3);
        if (!folder.empty()) folder.erase(folder.rfind('/', folder.size() - 2) + 1);
    }
    if (folder == "/") folder.clear();
    return folder + rest;
}

bool ParseNumber(std::string_view text, double& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool ParseIndex(const char* text, std::size_t& value)
{
    if (!text) return false;
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, value);
    return error == std::errc() && stop == end;
}

// The relationships of a part: id to target part, and the target of the
// first relationship of each type (by the last segment of the type).
struct Relationships : XmlHandler {
    explicit Relationships(std::string source) : source(std::move(source)) {}

    void Start(std::string_view name, const char** attributes) override
    {
        if (name != "Relationship") return;
        const char* id = Attribute(attributes, "Id");
        const char* target = Attribute(attributes, "Target");
        const char* type = Attribute(attributes, "Type");
        const char* mode = Attribute(attributes, "TargetMode");
        if (!id || !target || (mode && std::strcmp(mode, "External") == 0)) return;
        const std::string part = ResolvePart(source, target);
        byId.emplace(id, part);
        if (type) {
            const std::string_view kind = LocalTypeOf(type);
            byType.emplace(std::string(kind), part);
        }
    }
    void End(std::string_view) override {}

    static std::string_view LocalTypeOf(std::string_view type) { return type.substr(type.rfind('/') + 1); }

    std::string source;
    std::map<std::string, std::string> byId, byType;
};

struct SheetEntry {
    std::string name, relationship;
};

// The sheets of workbook.xml and its date system.
struct WorkbookPart : XmlHandler {
    void Start(std::string_view name, const char** attributes) override
    {
        if (name == "sheet") {
            const char* sheet = Attribute(attributes, "name");
            const char* id = Attribute(attributes, "id");
            if (sheet && id) sheets.push_back({sheet, id});
        } else if (name == "workbookPr") {
            const char* system = Attribute(attributes, "date1904");
            date1904 = system && (std::strcmp(system, "1") == 0 || std::strcmp(system, "true") == 0);
        }
    }
    void End(std::string_view) override {}

    std::vector<SheetEntry> sheets;
    bool date1904 = false;
};

// Which cell formats (the cellXfs of styles.xml, by index) show dates.
struct StylesPart : XmlHandler {
    void Start(std::string_view name, const char** attributes) override
    {
        if (name == "numFmt") {
            std::size_t id = 0;
            const char* code = Attribute(attributes, "formatCode");
            if (ParseIndex(Attribute(attributes, "numFmtId"), id) && code) customFormats[id] = code;
        } else if (name == "cellXfs") {
            inCellFormats = true;
        } else if (name == "xf" && inCellFormats) {
            std::size_t id = 0;
            formatIds.push_back(ParseIndex(Attribute(attributes, "numFmtId"), id) ? id : 0);
        }
    }
    void End(std::string_view name) override
    {
        if (name == "cellXfs") inCellFormats = false;
    }

    std::vector<bool> DateStyles() const
    {
        std::vector<bool> dates;
        for (const std::size_t id : formatIds) {
            const auto custom = customFormats.find(id);
            dates.push_back(IsDateNumberFormat(static_cast<int>(std::min<std::size_t>(id, 1 << 16)),
                                               custom == customFormats.end() ? std::string_view() : custom->second));
        }
        return dates;
    }

    std::map<std::size_t, std::string> customFormats;
    std::vector<std::size_t> formatIds;
    bool inCellFormats = false;
};

// The texts of a workbook's shared string table, one after the other.
struct SharedStrings {
    std::string texts;
    std::vector<std::uint32_t> ends;  // where each text ends in `texts`

    std::size_t size() const { return ends.size(); }
    std::string operator[](std::size_t i) const
    {
        const std::uint32_t begin = i == 0 ? 0 : ends[i - 1];
        return texts.substr(begin, ends[i] - begin);
    }
};

// The texts of sharedStrings.xml: each item's text runs joined, without
// its phonetic runs.
struct SharedStringsPart : XmlHandler {
    void Start(std::string_view name, const char**) override
    {
        if (name == "si") {
            strings.ends.push_back(static_cast<std::uint32_t>(strings.texts.size()));
            inItem = true;
        } else if (name == "rPh") {
            ++phonetic;
        } else if (name == "t" && inItem && phonetic == 0) {
            inText = true;
        }
    }
    void End(std::string_view name) override
    {
        if (name == "si") inItem = false;
        else if (name == "rPh") --phonetic;
        else if (name == "t") inText = false;
    }
    void Text(std::string_view text) override
    {
        if (!inText) return;
        strings.texts.append(text);
        strings.ends.back() = static_cast<std::uint32_t>(strings.texts.size());
    }

    SharedStrings strings;
    bool inItem = false, inText = false;
    int phonetic = 0;
};

// What the cells of a workbook need to become values.
struct CellContext {
    SharedStrings sharedStrings;
    std::vector<bool> dateStyles;
    bool date1904 = false;
};

// A serial number of the workbook's date system as a date.  In the 1900
// system the days from 1 January to 28 February 1900 are one day off, as
// the system counts a 29 February 1900 (which is no date); a number below 1
// is a time of day, and a negative one a day before 30 December 1899 (as the
// office programs write such dates).
FieldValue DateOfSerial(double serial, bool date1904)
{
    if (date1904) return FieldValue::Date(serial + kDays1904);
    if (serial < 1 || serial >= 61) return FieldValue::Date(serial);
    if (serial < 60) return FieldValue::Date(serial + 1);
    return FieldValue::Null();
}

// The rows of a worksheet part, parsed as they are asked for.
class XlsxSheetRows : public ParsedSheetRows {
public:
    XlsxSheetRows(std::string sheet, std::shared_ptr<const CellContext> context)
        : sheet_(std::move(sheet)), context_(std::move(context))
    {
    }

    std::uint32_t DeclaredRows() const override { return declaredRows_; }
    std::uint32_t DeclaredColumns() const override { return declaredColumns_; }

    // Reads up to the sheet data, where the dimension is known.
    ReadResult<void> ReadHead()
    {
        const ReadResult<bool> read = ParseUntil([this] { return inData_; });
        if (!read) return read.fault();
        return {};
    }

private:
    void Start(std::string_view name, const char** attributes) override
    {
        if (name == "c") StartCell(attributes);
        else if (name == "v") StartText();
        else if (name == "t" && inInline_ && phonetic_ == 0) StartText();
        else if (name == "is") inInline_ = true;
        else if (name == "rPh") ++phonetic_;
        else if (name == "row") StartRow(attributes);
        else if (name == "sheetData") inData_ = true;
        else if (name == "dimension") ReadDimension(Attribute(attributes, "ref"));
    }
    void End(std::string_view name) override
    {
        if (name == "v" || name == "t") inText_ = false;
        else if (name == "c") EndCell();
        else if (name == "is") inInline_ = false;
        else if (name == "rPh") --phonetic_;
        else if (name == "row") Deliver(std::move(row_));
    }
    void Text(std::string_view text) override
    {
        if (inText_) text_.append(text);
    }

    void StartText()
    {
        inText_ = true;
        if (!inInline_) text_.clear();
    }

    void ReadDimension(const char* ref)
    {
        if (!ref) return;
        std::string_view range(ref);
        const std::string_view last = range.substr(range.find(':') == std::string_view::npos ? 0 : range.find(':') + 1);
        std::uint32_t column = 0, row = 0;
        if (!ParseCellReference(last, column, row)) return;
        if (column >= kSheetColumnLimit || row >= kSheetRowLimit) return Fail(SheetFault(text::kWorkbookSheetTooLarge, sheet_, ref));
        declaredRows_ = row + 1;
        declaredColumns_ = column + 1;
    }

    void StartRow(const char** attributes)
    {
        std::size_t number = 0;
        const char* r = Attribute(attributes, "r");
        const std::uint64_t index = r ? (ParseIndex(r, number) && number > 0 ? number - 1 : kSheetRowLimit) : nextRow_;
        if (index >= kSheetRowLimit) return Fail(SheetFault(text::kWorkbookSheetTooLarge, sheet_, r ? r : "row"));
        if (index < nextRow_) return Fail(SheetFault(text::kWorkbookOutOfOrder, sheet_));
        row_ = NewRow(static_cast<std::uint32_t>(index), 1);
        nextRow_ = index + 1;
        nextColumn_ = 0;
    }

    void StartCell(const char** attributes)
    {
        const char* r = Attribute(attributes, "r");
        std::uint32_t column = nextColumn_, row = 0;
        if (r && !ParseCellReference(r, column, row)) column = kSheetColumnLimit;
        if (column >= kSheetColumnLimit || row >= kSheetRowLimit) return Fail(SheetFault(text::kWorkbookSheetTooLarge, sheet_, r));
        if (column < nextColumn_) return Fail(SheetFault(text::kWorkbookOutOfOrder, sheet_));
        column_ = column;
        nextColumn_ = column + 1;
        const char* type = Attribute(attributes, "t");
        type_ = type ? type : "n";
        std::size_t style = 0;
        dateStyle_ = ParseIndex(Attribute(attributes, "s"), style) && style < context_->dateStyles.size() &&
                     context_->dateStyles[style];
        text_.clear();
    }

    void EndCell()
    {
        if (row_.cells.size() <= column_) row_.cells.resize(column_ + 1, FieldValue::Null());
        row_.cells[column_] = CellValue();
    }

    FieldValue CellValue() const
    {
        if (type_ == "inlineStr" || type_ == "str") return FieldValue::Text(text_);
        if (text_.empty()) return FieldValue::Null();
        if (type_ == "s") {
            std::size_t index = 0;
            if (!ParseIndex(text_.c_str(), index) || index >= context_->sharedStrings.size()) return FieldValue::Null();
            return FieldValue::Text(context_->sharedStrings[index]);
        }
        if (type_ == "b") return FieldValue::Boolean(text_ != "0");
        if (type_ == "e") return FieldValue::Null();
        if (type_ == "d") {
            std::string date = text_;
            if (const std::size_t t = date.find('T'); t != std::string::npos) date[t] = ' ';
            const DateValue value = ParseDateText(date.substr(0, 19));
            return value.isValid() ? FieldValue::Date(value.serial()) : FieldValue::Text(text_);
        }
        double number = 0;
        if (!ParseNumber(text_, number)) return FieldValue::Text(text_);
        return dateStyle_ ? DateOfSerial(number, context_->date1904) : FieldValue::Double(number);
    }

    const std::string sheet_;
    std::shared_ptr<const CellContext> context_;
    SheetRow row_;
    std::uint64_t nextRow_ = 0;
    std::uint32_t nextColumn_ = 0, column_ = 0;
    std::uint32_t declaredRows_ = 0, declaredColumns_ = 0;
    std::string type_, text_;
    bool dateStyle_ = false;
    bool inText_ = false, inInline_ = false, inData_ = false;
    int phonetic_ = 0;
};

class XlsxDatabase : public WorkbookDatabase {
public:
    XlsxDatabase(std::unique_ptr<ZipArchive> archive, std::string workbookPart)
        : archive_(std::move(archive)), workbookPart_(std::move(workbookPart))
    {
    }

    // Reads the sheets of the workbook and where their parts are.
    ReadResult<void> ReadWorkbook()
    {
        WorkbookPart workbook;
        if (const ReadResult<void> read = ParseXmlPart(*archive_, workbookPart_, workbook); !read) return read.fault();
        date1904_ = workbook.date1904;
        const std::string relsPart = ResolvePart(workbookPart_, "_rels/" + workbookPart_.substr(workbookPart_.rfind('/') + 1) + ".rels");
        if (const ReadResult<void> read = ParseXmlPart(*archive_, relsPart, rels_); !read) return read.fault();
        for (const SheetEntry& sheet : workbook.sheets) {
            const auto part = rels_.byId.find(sheet.relationship);
            if (part == rels_.byId.end()) return ReaderFault::Described(FormatText(text::kWorkbookPartMissing, sheet.relationship));
            sheets_.push_back({sheet.name, part->second});
        }
        return {};
    }

protected:
    std::vector<std::string> SheetNames() const override
    {
        std::vector<std::string> names;
        for (const SheetEntry& sheet : sheets_) names.push_back(sheet.name);
        return names;
    }

    ReadResult<std::unique_ptr<SheetRows>> OpenSheet(const std::string& name) const override
    {
        const SheetEntry* sheet = nullptr;
        for (const SheetEntry& s : sheets_)
            if (SameName(s.name, name)) sheet = &s;
        if (!sheet) return TableNotFound(name);
        const ReadResult<std::shared_ptr<const CellContext>> context = Context();
        if (!context) return context.fault();
        ReadResult<std::unique_ptr<ZipMember>> part = archive_->OpenMember(sheet->relationship);
        if (!part) return part.fault();
        auto rows = std::make_unique<XlsxSheetRows>(sheet->name, *context);
        rows->Attach(std::move(*part));
        if (const ReadResult<void> head = rows->ReadHead(); !head) return head.fault();
        return std::unique_ptr<SheetRows>(std::move(rows));
    }

private:
    // The shared strings and date styles, read once.
    ReadResult<std::shared_ptr<const CellContext>> Context() const
    {
        if (context_) return context_;
        auto context = std::make_shared<CellContext>();
        context->date1904 = date1904_;
        if (const auto styles = rels_.byType.find("styles"); styles != rels_.byType.end()) {
            StylesPart part;
            if (const ReadResult<void> read = ParseXmlPart(*archive_, styles->second, part); !read) return read.fault();
            context->dateStyles = part.DateStyles();
        }
        if (const auto strings = rels_.byType.find("sharedStrings"); strings != rels_.byType.end()) {
            SharedStringsPart part;
            if (const ReadResult<void> read = ParseXmlPart(*archive_, strings->second, part); !read) return read.fault();
            context->sharedStrings = std::move(part.strings);
        }
        context_ = std::move(context);
        return context_;
    }

    std::unique_ptr<ZipArchive> archive_;
    std::string workbookPart_;
    Relationships rels_{workbookPart_};
    std::vector<SheetEntry> sheets_;  // names and parts
    bool date1904_ = false;
    mutable std::shared_ptr<const CellContext> context_;
};

}  // namespace

bool IsDateNumberFormat(int id, std::string_view code)
{
    if ((id >= 14 && id <= 22) || (id >= 45 && id <= 47)) return true;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '"') {
            i = code.find('"', i + 1);
            if (i == std::string_view::npos) return false;
        } else if (c == '[') {
            i = code.find(']', i + 1);
            if (i == std::string_view::npos) return false;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (std::strchr("dDmMyYhHsS", c)) {
            return true;
        }
    }
    return false;
}

DatabaseResult OpenXlsxDatabase(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return FileNotFound(path);
    ReadResult<std::unique_ptr<ZipArchive>> archive = ZipArchive::Open(path);
    if (!archive) return archive.fault();
    Relationships package("");
    if (const ReadResult<void> read = ParseXmlPart(**archive, "_rels/.rels", package); !read) return read.fault();
    const auto document = package.byType.find("officeDocument");
    if (document == package.byType.end()) return ReaderFault::Described(FormatText(text::kWorkbookPartMissing, "xl/workbook.xml"));
    auto workbook = std::make_unique<XlsxDatabase>(std::move(*archive), document->second);
    if (const ReadResult<void> read = workbook->ReadWorkbook(); !read) return read.fault();
    return workbook;
}

}  // namespace kalderon
