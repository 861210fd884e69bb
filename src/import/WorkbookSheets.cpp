#include "import/WorkbookSheets.h"

#include <algorithm>
#include <optional>

#include "common/TextFormat.h"
#include "import/FieldConversions.h"
#include "import/RowsRecordset.h"

namespace kalderon {
namespace {

// Room for cells is made ahead for rows up to this wide.
constexpr std::size_t kReservedCells = 256;

// The width of a row up to its last cell that is not null.
std::size_t UsedWidth(const std::vector<FieldValue>& cells)
{
    std::size_t width = cells.size();
    while (width > 0 && cells[width - 1].isNull()) --width;
    return width;
}

// The rows below the first row of a sheet.  One row of the sheet is held at
// a time; a row that stands for several equal rows is given that often.
class WorkbookRecordset : public Recordset {
public:
    WorkbookRecordset(std::unique_ptr<SheetRows> rows, int fieldCount)
        : rows_(std::move(rows)), fieldCount_(fieldCount), values_(static_cast<std::size_t>(fieldCount))
    {
    }

    // Reads up to the first row holding a value at or after row 1; a first
    // row of the sheet at a later index is kept for the records.
    ReadResult<void> Start(std::optional<SheetRow> pending)
    {
        ahead_ = std::move(pending);
        if (fieldCount_ == 0) {
            atEnd_ = true;
            return {};
        }
        return MoveNext();
    }

    bool IsEOF() const override { return atEnd_; }
    int FieldCount() const override { return fieldCount_; }
    // Without a declared size, the records so far over the share of the
    // sheet read: the count grows truer as the reading goes on.
    size_t RecordCountHint() const override
    {
        if (rows_->DeclaredRows() > 0) return rows_->DeclaredRows() - 1;
        const double share = rows_->ShareRead();
        const std::uint32_t records = nextIndex_ - 1;
        return share > 0 && records > 0 ? static_cast<size_t>(records / share) : 0;
    }
    const FieldValue& GetFieldValue(int index) const override { return values_[static_cast<std::size_t>(index)]; }

    ReadResult<void> MoveNext() override
    {
        if (atEnd_) return {};
        if (repeatsLeft_ > 0) {
            --repeatsLeft_;
            ++nextIndex_;
            return {};
        }
        if (!ahead_) {
            const ReadResult<bool> found = NextUsedRow();
            if (!found) return found.fault();
            if (!*found) {
                atEnd_ = true;
                return {};
            }
        }
        if (nextIndex_ < ahead_->index) {
            std::fill(values_.begin(), values_.end(), FieldValue::Null());
            ++nextIndex_;
            return {};
        }
        for (std::size_t i = 0; i < values_.size(); ++i)
            values_[i] = i < ahead_->cells.size() ? std::move(ahead_->cells[i]) : FieldValue::Null();
        repeatsLeft_ = ahead_->repeat - 1;
        nextIndex_ = ahead_->index + 1;
        ahead_.reset();
        return {};
    }

private:
    // The next row that holds a value, into ahead_.
    ReadResult<bool> NextUsedRow()
    {
        SheetRow row;
        for (;;) {
            const ReadResult<bool> more = rows_->Next(row);
            if (!more || !*more) return more;
            if (UsedWidth(row.cells) == 0) continue;
            ahead_ = std::move(row);
            return true;
        }
    }

    std::unique_ptr<SheetRows> rows_;
    const int fieldCount_;
    std::vector<FieldValue> values_;
    std::optional<SheetRow> ahead_;
    std::uint32_t nextIndex_ = 1;  // the sheet's row of the next record
    std::uint32_t repeatsLeft_ = 0;
    bool atEnd_ = false;
};

// The first row of a sheet, split into the field names and, when the first
// row of the sheet is empty or stands for several rows, a row of records.
struct FirstRow {
    std::vector<FieldValue> headings;
    std::optional<SheetRow> records;
};

ReadResult<FirstRow> ReadFirstRow(SheetRows& rows)
{
    FirstRow first;
    SheetRow row;
    const ReadResult<bool> found = rows.Next(row);
    if (!found) return found.fault();
    if (!*found) return first;
    if (row.index > 0) {
        first.records = std::move(row);
        return first;
    }
    first.headings = row.cells;
    if (row.repeat > 1) {
        row.index = 1;
        --row.repeat;
        first.records = std::move(row);
    }
    return first;
}

int FieldCountOf(const FirstRow& first, const SheetRows& rows)
{
    return static_cast<int>(std::max<std::size_t>(UsedWidth(first.headings), rows.DeclaredColumns()));
}

}  // namespace

void ParsedSheetRows::Attach(std::unique_ptr<ZipMember> part)
{
    reader_ = std::make_unique<XmlPartReader>(std::move(part), static_cast<XmlHandler&>(*this));
}

ReadResult<bool> ParsedSheetRows::Next(SheetRow& row)
{
    if (const ReadResult<bool> found = ParseUntil([this] { return !ready_.empty(); }); !found || !*found) return found;
    row = std::move(ready_.front());
    ready_.pop_front();
    return true;
}

double ParsedSheetRows::ShareRead() const
{
    return reader_ && reader_->size() > 0 ? static_cast<double>(reader_->bytesRead()) / static_cast<double>(reader_->size()) : 0;
}

SheetRow ParsedSheetRows::NewRow(std::uint32_t index, std::uint32_t repeat) const
{
    SheetRow row{index, repeat, {}};
    row.cells.reserve(widest_);
    return row;
}

void ParsedSheetRows::Deliver(SheetRow row)
{
    widest_ = std::min<std::size_t>(std::max(widest_, row.cells.size()), kReservedCells);
    ready_.push_back(std::move(row));
    Pause();
}

ReadResult<bool> ParsedSheetRows::ParseUntil(const std::function<bool()>& reached)
{
    while (!reached()) {
        const ReadResult<bool> more = reader_->ParseNextPiece();
        if (!more) return more.fault();
        if (!*more) return reached();
    }
    return true;
}

std::vector<TableDefInfo> WorkbookDatabase::TableDefs() const
{
    std::vector<TableDefInfo> tables;
    for (const std::string& sheet : SheetNames()) tables.push_back({sheet + "$", 0});
    return tables;
}

ReadResult<std::unique_ptr<SheetRows>> WorkbookDatabase::OpenTableSheet(const std::string& table) const
{
    if (table.empty() || table.back() != '$') return TableNotFound(table);
    ReadResult<std::unique_ptr<SheetRows>> rows = OpenSheet(table.substr(0, table.size() - 1));
    if (!rows && rows.fault().errorNumber == kDaoObjectNotFound) return TableNotFound(table);
    return rows;
}

ReadResult<std::vector<std::string>> WorkbookDatabase::FieldNames(const std::string& table) const
{
    ReadResult<std::unique_ptr<SheetRows>> rows = OpenTableSheet(table);
    if (!rows) return rows.fault();
    const ReadResult<FirstRow> first = ReadFirstRow(**rows);
    if (!first) return first.fault();
    std::vector<std::string> names;
    const int count = FieldCountOf(*first, **rows);
    for (int c = 0; c < count; ++c) {
        const std::size_t column = static_cast<std::size_t>(c);
        std::string name = column < first->headings.size() ? VariantToText(first->headings[column]) : std::string();
        names.push_back(name.empty() ? "F" + std::to_string(c + 1) : std::move(name));
    }
    return names;
}

ReadResult<std::unique_ptr<Recordset>> WorkbookDatabase::OpenTable(const std::string& table) const
{
    ReadResult<std::unique_ptr<SheetRows>> rows = OpenTableSheet(table);
    if (!rows) return rows.fault();
    ReadResult<FirstRow> first = ReadFirstRow(**rows);
    if (!first) return first.fault();
    const int count = FieldCountOf(*first, **rows);
    auto records = std::make_unique<WorkbookRecordset>(std::move(*rows), count);
    if (const ReadResult<void> started = records->Start(std::move(first->records)); !started) return started.fault();
    return records;
}

ReaderFault SheetFault(const char* format, const std::string& sheet, const std::string& what)
{
    return ReaderFault::Described(FormatText(format, sheet, what));
}

bool ParseCellReference(std::string_view reference, std::uint32_t& column, std::uint32_t& row)
{
    std::size_t at = 0;
    std::uint64_t letters = 0, digits = 0;
    for (; at < reference.size() && reference[at] >= 'A' && reference[at] <= 'Z'; ++at)
        letters = std::min<std::uint64_t>(letters * 26 + static_cast<unsigned>(reference[at] - 'A' + 1), kSheetColumnLimit + 1);
    const std::size_t digitsFrom = at;
    for (; at < reference.size() && reference[at] >= '0' && reference[at] <= '9'; ++at)
        digits = std::min<std::uint64_t>(digits * 10 + static_cast<unsigned>(reference[at] - '0'), kSheetRowLimit + 1);
    if (at != reference.size() || digitsFrom == 0 || at == digitsFrom || digits == 0) return false;
    column = static_cast<std::uint32_t>(letters - 1);
    row = static_cast<std::uint32_t>(digits - 1);
    return true;
}

}  // namespace kalderon
