#include "import/AccessDatabase.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mdbtools.h>

#include "import/LittleEndian.h"
#include "import/RowsRecordset.h"
#include "import/Utf16Text.h"

namespace kalderon {
namespace {

constexpr int kRowOffsetMask = 0x1FFF;
constexpr int kDeletedRowFlag = 0x4000;
constexpr int kMemoHeaderSize = 12;
constexpr int kMaxMemoPages = 1 << 16;

template <typename T>
T ReadStored(const unsigned char* p)
{
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

// A text as stored: Jet 3 keeps the bytes of its code page, Jet 4 keeps
// UTF-16, optionally compressed (a leading FF FE, then runs of one-byte
// characters and of two-byte characters, separated by zero bytes).
std::string DecodeText(MdbHandle* mdb, const unsigned char* p, size_t n)
{
    if (IS_JET3(mdb)) return std::string(reinterpret_cast<const char*>(p), n);
    if (n < 2 || p[0] != 0xFF || p[1] != 0xFE) return Utf16LeToUtf8(p, n);
    std::vector<std::uint16_t> units;
    units.reserve(n);
    bool compressed = true;
    for (size_t i = 2; i < n;) {
        if (p[i] == 0) {
            compressed = !compressed;
            ++i;
        } else if (compressed) {
            units.push_back(p[i++]);
        } else if (i + 1 < n) {
            units.push_back(static_cast<std::uint16_t>(p[i] | (p[i + 1] << 8)));
            i += 2;
        } else {
            break;
        }
    }
    std::string out;
    AppendUtf16AsUtf8(out, units.data(), units.size());
    return out;
}

// A memo field: inline in the row, or in one or a chain of rows of
// long-value pages.
std::string ReadMemo(MdbHandle* mdb, const unsigned char* field, int size)
{
    if (size < kMemoHeaderSize) return std::string();
    const std::uint32_t header = static_cast<std::uint32_t>(LittleEndian(field, 4));
    if (header & 0x80000000u) return DecodeText(mdb, field + kMemoHeaderSize, size - kMemoHeaderSize);

    const std::uint32_t length = header & 0x3FFFFFFFu;
    std::int32_t pageRow = static_cast<std::int32_t>(LittleEndian(field + 4, 4));
    std::vector<unsigned char> bytes;
    const bool singlePage = (header & 0x40000000u) != 0;
    for (int pages = 0; pageRow != 0 && pages < kMaxMemoPages; ++pages) {
        void* buffer;
        int offset;
        size_t rowLength;
        if (mdb_find_pg_row(mdb, pageRow, &buffer, &offset, &rowLength) != 0) break;
        const unsigned char* row = static_cast<const unsigned char*>(buffer) + offset;
        if (singlePage) {
            bytes.assign(row, row + rowLength);
            break;
        }
        if (rowLength < 4) break;
        bytes.insert(bytes.end(), row + 4, row + rowLength);
        pageRow = static_cast<std::int32_t>(LittleEndian(row, 4));
        if (bytes.size() >= length) break;
    }
    if (bytes.size() > length) bytes.resize(length);
    return DecodeText(mdb, bytes.data(), bytes.size());
}

// The typed value of one cracked field of the current page.
FieldValue DecodeField(MdbHandle* mdb, const MdbColumn* column, const MdbField& field)
{
    // A yes/no field keeps its value in the null bitmap: a set bit is yes.
    if (column->col_type == MDB_BOOL) return FieldValue::Boolean(!field.is_null);
    if (field.is_null) return FieldValue::Null();
    const unsigned char* p = static_cast<const unsigned char*>(field.value);
    const int size = field.siz;
    auto fits = [&](int bytes) { return p != nullptr && size >= bytes; };
    switch (column->col_type) {
    case MDB_BYTE:
        if (fits(1)) return FieldValue::UInt8(p[0]);
        break;
    case MDB_INT:
        if (fits(2)) return FieldValue::Int16(static_cast<std::int16_t>(LittleEndian(p, 2)));
        break;
    case MDB_LONGINT:
    case MDB_COMPLEX:
        if (fits(4)) return FieldValue::Int32(static_cast<std::int32_t>(LittleEndian(p, 4)));
        break;
    case MDB_MONEY:
        if (fits(8)) return FieldValue::Currency(static_cast<std::int64_t>(LittleEndian(p, 8)));
        break;
    case MDB_FLOAT:
        if (fits(4)) return FieldValue::Float(ReadStored<float>(p));
        break;
    case MDB_DOUBLE:
        if (fits(8)) return FieldValue::Double(ReadStored<double>(p));
        break;
    case MDB_DATETIME:
        if (fits(8)) return FieldValue::Date(ReadStored<double>(p));
        break;
    case MDB_TEXT:
        return FieldValue::Text(p ? DecodeText(mdb, p, size) : std::string());
    case MDB_MEMO:
        return FieldValue::Text(p ? ReadMemo(mdb, p, size) : std::string());
    case MDB_NUMERIC: {
        char* text = mdb_numeric_to_string(mdb, field.start, column->col_scale, column->col_prec);
        const double value = std::strtod(text, nullptr);
        g_free(text);
        return FieldValue::Double(value);
    }
    case MDB_REPID:
        if (fits(16)) {
            char* text = mdb_uuid_to_string(mdb->pg_buf, field.start);
            FieldValue v = FieldValue::Text(text);
            g_free(text);
            return v;
        }
        break;
    default:
        return FieldValue::Of(VT_ARRAY | VT_UI1);
    }
    return FieldValue::Null();
}

// Whether the library can walk the table's usage map, which lists its data
// pages: an inline bitmap after a type byte and a first page number, or a
// list of the pages that hold the bitmaps, each a page of the file.
bool UsageMapIsSound(const MdbTableDef& table, const std::string& path)
{
    const unsigned char* map = table.usage_map;
    const size_t size = table.map_sz;
    if (map == nullptr || size < 1) return false;
    if (map[0] == 0) return size >= 5;
    if (map[0] != 1) return false;
    std::error_code ec;
    const std::uintmax_t fileSize = std::filesystem::file_size(path, ec);
    const auto pageSize = static_cast<std::uintmax_t>(table.entry->mdb->fmt->pg_size);
    if (ec || pageSize == 0) return false;
    for (size_t at = 1; at + 4 <= size; at += 4) {
        const std::uintmax_t page = static_cast<std::uint32_t>(LittleEndian(map + at, 4));
        if (page != 0 && (page + 1) * pageSize > fileSize) return false;
    }
    return true;
}

// The open file, shared by the database and its recordsets, so that a
// recordset stays readable after the database object is gone.
struct MdbFile {
    explicit MdbFile(MdbHandle* h) : mdb(h) {}
    ~MdbFile() { mdb_close(mdb); }
    MdbFile(const MdbFile&) = delete;
    MdbFile& operator=(const MdbFile&) = delete;

    MdbHandle* mdb;
};

struct TableDefDeleter {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};
using TableDefPtr = std::unique_ptr<MdbTableDef, TableDefDeleter>;

// Rows of one table, decoded a data page at a time, in storage order.
class AccessRecordset : public Recordset {
public:
    // Stands before the first row until LoadNextPage.
    AccessRecordset(std::shared_ptr<MdbFile> file, TableDefPtr table, std::string path)
        : file_(std::move(file)), mdb_(file_->mdb), table_(std::move(table)), path_(std::move(path))
    {
        for (unsigned i = 0; i < table_->num_cols; ++i)
            columns_.push_back(static_cast<MdbColumn*>(g_ptr_array_index(table_->columns, i)));
        fields_.resize(columns_.size());
        mdb_rewind_table(table_.get());
    }

    bool IsEOF() const override { return current_ >= rows_.size(); }
    ReadResult<void> MoveNext() override
    {
        if (++current_ >= rows_.size()) return LoadNextPage();
        return {};
    }
    int FieldCount() const override { return static_cast<int>(columns_.size()); }
    // A row takes at least its offset entry and one byte of a page, so the
    // file's size bounds what a damaged table definition may claim.
    size_t RecordCountHint() const override
    {
        std::error_code ec;
        const std::uintmax_t size = std::filesystem::file_size(path_, ec);
        return ec ? 0 : std::min<std::uintmax_t>(table_->num_rows, size / 3);
    }
    const FieldValue& GetFieldValue(int index) const override { return rows_[current_][index]; }
    // Rows so far that the library could not take apart into fields.
    size_t unreadableRows() const { return unreadableRows_; }

    // The rows of the next data page that holds any.
    ReadResult<void> LoadNextPage()
    {
        rows_.clear();
        current_ = 0;
        while (rows_.empty()) {
            if (!mdb_read_next_dpg(table_.get())) {
                // Pages that were zeroed or lost hold fewer rows than the
                // table definition counts.
                if (rowsRead_ < table_->num_rows) return DamagedDatabase(path_);
                return {};
            }
            const int count = mdb_get_int16(mdb_->pg_buf, mdb_->fmt->row_count_offset);
            for (int row = 0; row < count; ++row)
                if (!DecodeRow(row)) return DamagedDatabase(path_);
            rowsRead_ += rows_.size();
        }
        return {};
    }

private:
    // False when a field lies outside its page.
    bool DecodeRow(int row)
    {
        int start;
        size_t size;
        if (mdb_find_row(mdb_, row, &start, &size) != 0 || size == 0 || (start & kDeletedRowFlag)) return true;
        start &= kRowOffsetMask;
        if (mdb_crack_row(table_.get(), start, size, fields_.data()) < 0) {
            ++unreadableRows_;
            return true;
        }
        FieldRow values;
        values.reserve(columns_.size());
        for (size_t i = 0; i < columns_.size(); ++i) {
            const MdbField& f = fields_[i];
            if (!f.is_null && f.value && (f.siz < 0 || f.start < 0 || f.start + f.siz > mdb_->fmt->pg_size))
                return false;
            values.push_back(DecodeField(mdb_, columns_[f.colnum], f));
        }
        rows_.push_back(std::move(values));
        return true;
    }

    std::shared_ptr<MdbFile> file_;
    MdbHandle* mdb_;
    TableDefPtr table_;  // declared after file_: freed before the file closes
    std::string path_;
    std::vector<MdbColumn*> columns_;
    std::vector<MdbField> fields_;
    std::vector<FieldRow> rows_;
    size_t current_ = 0;
    size_t rowsRead_ = 0;
    size_t unreadableRows_ = 0;
};

class AccessDatabase : public Database {
public:
    AccessDatabase(MdbHandle* mdb, std::string path) : file_(std::make_shared<MdbFile>(mdb)), path_(std::move(path)) {}

    // Reads the list of tables.
    ReadResult<void> ReadCatalog()
    {
        MdbHandle* mdb = file_->mdb;
        if (!CatalogTableIsSound(mdb)) return DamagedDatabase(path_);
        GPtrArray* catalog = mdb_read_catalog(mdb, MDB_TABLE);
        if (!catalog) return DamagedDatabase(path_);
        for (unsigned i = 0; i < catalog->len; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(catalog, i));
            if (entry->object_type == MDB_TABLE) tables_.push_back(entry);
        }
        return {};
    }
    std::vector<TableDefInfo> TableDefs() const override
    {
        std::vector<TableDefInfo> result;
        for (const MdbCatalogEntry* entry : tables_)
            result.push_back({entry->object_name, static_cast<std::uint32_t>(entry->flags)});
        return result;
    }

    ReadResult<std::vector<std::string>> FieldNames(const std::string& table) const override
    {
        ReadResult<TableDefPtr> def = ReadTable(table);
        if (!def) return def.fault();
        std::vector<std::string> names;
        for (unsigned i = 0; i < (*def)->num_cols; ++i)
            names.emplace_back(static_cast<MdbColumn*>(g_ptr_array_index((*def)->columns, i))->name);
        return names;
    }

    ReadResult<std::unique_ptr<Recordset>> OpenTable(const std::string& table) const override
    {
        ReadResult<TableDefPtr> def = ReadTable(table);
        if (!def) return def.fault();
        auto rows = std::make_unique<AccessRecordset>(file_, std::move(*def), path_);
        if (const ReadResult<void> first = rows->LoadNextPage(); !first) return first.fault();
        return rows;
    }

private:
    // The catalog is a table too, on page 2, read before any other.
    bool CatalogTableIsSound(MdbHandle* mdb) const
    {
        MdbCatalogEntry catalog{};
        catalog.mdb = mdb;
        catalog.object_type = MDB_TABLE;
        catalog.table_pg = 2;
        std::snprintf(catalog.object_name, sizeof catalog.object_name, "%s", "MSysObjects");
        TableDefPtr def(mdb_read_table(&catalog));
        if (!def || !UsageMapIsSound(*def, path_) || !mdb_read_columns(def.get())) return false;
        // The library's own reading of the catalog takes a row it cannot
        // take apart with the values of whatever row came before.
        AccessRecordset rows(file_, std::move(def), path_);
        ReadResult<void> read = rows.LoadNextPage();
        while (read && !rows.IsEOF()) read = rows.MoveNext();
        return read && rows.unreadableRows() == 0;
    }

    ReadResult<TableDefPtr> ReadTable(const std::string& name) const
    {
        for (MdbCatalogEntry* entry : tables_) {
            if (!SameName(entry->object_name, name)) continue;
            TableDefPtr def(mdb_read_table(entry));
            if (!def || !UsageMapIsSound(*def, path_) || !mdb_read_columns(def.get())) return DamagedDatabase(path_);
            return def;
        }
        return TableNotFound(name);
    }

    std::shared_ptr<MdbFile> file_;
    std::string path_;
    std::vector<MdbCatalogEntry*> tables_;
};

}  // namespace

DatabaseResult OpenAccessDatabase(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return FileNotFound(path);
    const ReaderFault unrecognized = ReaderFault::Engine(kDaoUnrecognizedFormat, "Unrecognized database format '" + path + "'.");
    if (!std::filesystem::is_regular_file(path, ec)) return unrecognized;
    if (access(path.c_str(), R_OK) != 0) return CannotOpenFile(path);
    MdbHandle* mdb = mdb_open(path.c_str(), MDB_NOFLAGS);
    if (!mdb) return unrecognized;
    auto database = std::make_unique<AccessDatabase>(mdb, path);
    if (const ReadResult<void> catalog = database->ReadCatalog(); !catalog) return catalog.fault();
    return database;
}

}  // namespace kalderon
