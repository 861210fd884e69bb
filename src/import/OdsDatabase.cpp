#include "import/OdsDatabase.h"

#include <charconv>
#include <cstring>
#include <filesystem>

#include "common/TextFormat.h"
#include "import/FieldConversions.h"
#include "import/OdsTableScan.h"
#include "import/RowsRecordset.h"
#include "import/WorkbookSheets.h"
#include "import/XmlPartReader.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

constexpr const char* kContent = "content.xml";
constexpr std::size_t kLongestCellText = 32767;

// A repeat count: 1 when absent, above any limit when not a count.
std::uint64_t RepeatCount(const char* text)
{
    if (!text) return 1;
    std::uint64_t count = 0;
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, count);
    if (error == std::errc::result_out_of_range) return std::uint64_t{1} << 40;
    return error == std::errc() && stop == end && count > 0 ? count : std::uint64_t{1} << 40;
}

// "PT12H30M15.5S" as a fraction of a day; false for anything else.
bool ParseDuration(std::string_view text, double& days)
{
    if (text.substr(0, 2) != "PT") return false;
    double seconds = 0;
    for (std::size_t at = 2; at < text.size();) {
        double number = 0;
        const auto [stop, error] = std::from_chars(text.data() + at, text.data() + text.size(), number);
        if (error != std::errc() || stop == text.data() + text.size()) return false;
        const char unit = *stop;
        seconds += number * (unit == 'H' ? 3600 : unit == 'M' ? 60 : unit == 'S' ? 1 : 0);
        if (unit != 'H' && unit != 'M' && unit != 'S') return false;
        at = static_cast<std::size_t>(stop - text.data()) + 1;
    }
    days = seconds / 86400;
    return true;
}

// A cell's value from its value type and attributes; its text when a
// value does not read.
FieldValue OdsCellValue(const char** attributes, const std::string& text)
{
    const char* type = XmlHandler::Attribute(attributes, "value-type");
    if (!type) return FieldValue::Null();
    const std::string_view kind(type);
    if (kind == "float" || kind == "percentage" || kind == "currency") {
        const char* value = XmlHandler::Attribute(attributes, "value");
        double number = 0;
        if (value) {
            const char* end = value + std::strlen(value);
            const auto [stop, error] = std::from_chars(value, end, number);
            if (error == std::errc() && stop == end) return FieldValue::Double(number);
        }
        return FieldValue::Text(text);
    }
    if (kind == "date") {
        std::string value = XmlHandler::Attribute(attributes, "date-value") ? XmlHandler::Attribute(attributes, "date-value") : "";
        if (const std::size_t t = value.find('T'); t != std::string::npos) value[t] = ' ';
        const DateValue date = ParseDateText(value.substr(0, 19));
        return date.isValid() ? FieldValue::Date(date.serial()) : FieldValue::Text(text);
    }
    if (kind == "time") {
        const char* value = XmlHandler::Attribute(attributes, "time-value");
        double days = 0;
        return value && ParseDuration(value, days) ? FieldValue::Date(days) : FieldValue::Text(text);
    }
    if (kind == "boolean") {
        const char* value = XmlHandler::Attribute(attributes, "boolean-value");
        if (value && std::strcmp(value, "true") == 0) return FieldValue::Boolean(true);
        if (value && std::strcmp(value, "false") == 0) return FieldValue::Boolean(false);
        return FieldValue::Text(text);
    }
    if (kind == "string") {
        const char* value = XmlHandler::Attribute(attributes, "string-value");
        return FieldValue::Text(value ? std::string(value) : text);
    }
    return FieldValue::Null();
}

// The names of the tables of the spreadsheet, nested tables left out.
struct TableNames : XmlHandler {
    void Start(std::string_view name, const char** attributes) override
    {
        if (name != "table") return;
        if (depth++ == 0) {
            const char* table = Attribute(attributes, "name");
            names.emplace_back(table ? table : "");
        }
    }
    void End(std::string_view name) override
    {
        if (name == "table") --depth;
    }

    std::vector<std::string> names;
    int depth = 0;
};

// Whether content.xml holds a spreadsheet: read up to its start.
struct SpreadsheetStart : XmlHandler {
    void Start(std::string_view name, const char**) override
    {
        if (name != "spreadsheet") return;
        found = true;
        Finish();
    }
    void End(std::string_view) override {}

    bool found = false;
};

// The rows of one table of content.xml, parsed as they are asked for.
class OdsSheetRows : public ParsedSheetRows {
public:
    explicit OdsSheetRows(std::string sheet) : sheet_(std::move(sheet)) {}

    // Reads up to the table; false when the spreadsheet has none of that name.
    ReadResult<bool> Find()
    {
        return ParseUntil([this] { return inTable_; });
    }

private:
    void Start(std::string_view name, const char** attributes) override
    {
        ++depth_;
        if (!inTable_) {
            if (name == "table" && tableDepth_++ == 0) {
                const char* table = Attribute(attributes, "name");
                if (table && SameName(table, sheet_)) {
                    inTable_ = true;
                    tableDepth_ = 1;
                }
            }
            return;
        }
        if (name == "table") ++tableDepth_;
        if (tableDepth_ != 1) return;
        if (name == "table-cell" || name == "covered-table-cell") StartCell(name, attributes);
        else if (name == "table-row") StartRow(attributes);
        else if (inCell_ && name == "p" && depth_ == cellDepth_ + 1) StartParagraph();
        else if (inParagraph_ && name == "s") AddSpaces(RepeatCount(Attribute(attributes, "c")));
        else if (inParagraph_ && name == "tab") AddText("\t");
        else if (inParagraph_ && name == "line-break") AddText("\n");
    }

    void End(std::string_view name) override
    {
        --depth_;
        if (name == "table") {
            if (--tableDepth_ == 0 && inTable_) Finish();
            return;
        }
        if (!inTable_ || tableDepth_ != 1) return;
        if (name == "table-cell" || name == "covered-table-cell") EndCell();
        else if (name == "table-row") Deliver(std::move(row_));
        else if (name == "p" && depth_ == cellDepth_) inParagraph_ = false;
    }

    void Text(std::string_view text) override
    {
        if (inParagraph_) AddText(text);
    }

    void StartRow(const char** attributes)
    {
        const std::uint64_t repeat = RepeatCount(Attribute(attributes, "number-rows-repeated"));
        if (nextRow_ + repeat > kSheetRowLimit) return Fail(SheetFault(text::kWorkbookRepeatTooLarge, sheet_));
        row_ = NewRow(static_cast<std::uint32_t>(nextRow_), static_cast<std::uint32_t>(repeat));
        nextRow_ += repeat;
        nextColumn_ = 0;
    }

    void StartCell(std::string_view name, const char** attributes)
    {
        repeat_ = RepeatCount(Attribute(attributes, "number-columns-repeated"));
        if (nextColumn_ + repeat_ > kSheetColumnLimit) {
            // The end of an empty element still comes.
            repeat_ = 0;
            value_ = FieldValue::Null();
            return Fail(SheetFault(text::kWorkbookRepeatTooLarge, sheet_));
        }
        text_.clear();
        paragraphs_ = 0;
        inCell_ = name == "table-cell";
        cellDepth_ = depth_;
        value_ = inCell_ ? OdsCellValue(attributes, text_) : FieldValue::Null();
        textValue_ = value_.type == VT_BSTR && !Attribute(attributes, "string-value");
    }

    void EndCell()
    {
        if (textValue_) value_.text.swap(text_);
        if (!value_.isNull()) {
            row_.cells.resize(nextColumn_, FieldValue::Null());
            row_.cells.insert(row_.cells.end(), repeat_ - 1, value_);
            row_.cells.push_back(std::move(value_));
        }
        nextColumn_ += static_cast<std::uint32_t>(repeat_);
        inCell_ = inParagraph_ = textValue_ = false;
    }

    void StartParagraph()
    {
        if (paragraphs_++ > 0) AddText("\n");
        inParagraph_ = true;
    }

    void AddText(std::string_view text) { text_.append(text.substr(0, kLongestCellText - std::min(text_.size(), kLongestCellText))); }
    void AddSpaces(std::uint64_t count)
    {
        text_.append(static_cast<std::size_t>(std::min<std::uint64_t>(count, kLongestCellText - std::min(text_.size(), kLongestCellText))), ' ');
    }

    const std::string sheet_;
    SheetRow row_;
    FieldValue value_;
    std::string text_;
    std::uint64_t nextRow_ = 0, nextColumn_ = 0, repeat_ = 1;
    int depth_ = 0, tableDepth_ = 0, cellDepth_ = 0, paragraphs_ = 0;
    bool inTable_ = false, inCell_ = false, inParagraph_ = false, textValue_ = false;
};

class OdsDatabase : public WorkbookDatabase {
public:
    explicit OdsDatabase(std::unique_ptr<ZipArchive> archive) : archive_(std::move(archive)) {}

protected:
    // The spreadsheet is read whole for the names of its tables, so only
    // when they are asked for, and scanned rather than parsed where it can
    // be.  A fault ends the list; reading the rows of a table gives it.
    std::vector<std::string> SheetNames() const override
    {
        if (ReadResult<std::unique_ptr<ZipMember>> content = archive_->OpenMember(kContent); content) {
            const ReadResult<std::optional<std::vector<std::string>>> scanned = ScanTableNames(**content);
            if (scanned && *scanned) return **scanned;
        }
        TableNames tables;
        (void)ParseXmlPart(*archive_, kContent, tables);
        return tables.names;
    }

    ReadResult<std::unique_ptr<SheetRows>> OpenSheet(const std::string& name) const override
    {
        ReadResult<std::unique_ptr<ZipMember>> part = archive_->OpenMember(kContent);
        if (!part) return part.fault();
        auto rows = std::make_unique<OdsSheetRows>(name);
        rows->Attach(std::move(*part));
        const ReadResult<bool> found = rows->Find();
        if (!found) return found.fault();
        if (!*found) return TableNotFound(name);
        return std::unique_ptr<SheetRows>(std::move(rows));
    }

private:
    std::unique_ptr<ZipArchive> archive_;
};

}  // namespace

DatabaseResult OpenOdsDatabase(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return FileNotFound(path);
    ReadResult<std::unique_ptr<ZipArchive>> archive = ZipArchive::Open(path);
    if (!archive) return archive.fault();
    SpreadsheetStart start;
    if (const ReadResult<void> read = ParseXmlPart(**archive, kContent, start); !read) return read.fault();
    if (!start.found) return ReaderFault::Described(text::kWorkbookNoSpreadsheet);
    return std::make_unique<OdsDatabase>(std::move(*archive));
}

}  // namespace kalderon
