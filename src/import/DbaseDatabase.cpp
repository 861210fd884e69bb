#include "import/DbaseDatabase.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <locale.h>

#include "import/LittleEndian.h"
#include "import/RowsRecordset.h"
#include "stats/DateValue.h"

namespace kalderon {
namespace {

namespace fs = std::filesystem;

constexpr int kDescriptorSize = 32;
constexpr char kHeaderEnd = 0x0D;
constexpr char kDeletedMark = '*';

struct DbaseField {
    std::string name;
    char type = 'C';
    int offset = 0;  // within the record, after the deletion mark
    int length = 0;
};

struct DbaseHeader {
    std::uint32_t recordCount = 0;
    std::uint32_t headerLength = 0;
    std::uint32_t recordLength = 0;
    std::vector<DbaseField> fields;
};

bool IsDbfExtension(const fs::path& p)
{
    return SameName(p.extension().string(), ".dbf");
}

ReaderFault ShorterThanItsHeader()
{
    return ReaderFault::Engine(kDaoDamagedFile, "The table file is shorter than its header says: it may be damaged.");
}

bool KnownVersion(unsigned char version)
{
    const int level = version & 0x07;
    return level == 3 || level == 4 || level == 5 || version == 0x30 || version == 0x31;
}

ReadResult<DbaseHeader> ReadHeader(std::ifstream& in, std::uintmax_t fileSize)
{
    unsigned char head[32];
    if (!in.read(reinterpret_cast<char*>(head), sizeof head) || !KnownVersion(head[0])) return NotExpectedFormat();
    DbaseHeader h;
    h.recordCount = Le32(head + 4);
    h.headerLength = Le16(head + 8);
    h.recordLength = Le16(head + 10);
    if (h.headerLength < 33 || h.recordLength < 1 || h.headerLength > fileSize) return NotExpectedFormat();
    // The count is only trusted as far as the file can hold the records.
    if (h.recordCount > (fileSize - h.headerLength) / h.recordLength) return ShorterThanItsHeader();

    int offset = 0;
    for (std::uint32_t at = 32; at + 1 <= h.headerLength; at += kDescriptorSize) {
        unsigned char d[kDescriptorSize];
        if (!in.read(reinterpret_cast<char*>(d), 1) || d[0] == static_cast<unsigned char>(kHeaderEnd)) break;
        if (at + kDescriptorSize > h.headerLength || !in.read(reinterpret_cast<char*>(d + 1), kDescriptorSize - 1))
            return NotExpectedFormat();
        DbaseField f;
        f.name.assign(reinterpret_cast<const char*>(d), std::find(d, d + 11, 0) - d);
        while (!f.name.empty() && f.name.back() == ' ') f.name.pop_back();
        f.type = static_cast<char>(std::toupper(d[11]));
        f.offset = offset;
        f.length = d[16];
        offset += f.length;
        h.fields.push_back(std::move(f));
    }
    if (h.fields.empty() || static_cast<std::uint32_t>(offset) + 1 > h.recordLength) return NotExpectedFormat();
    return h;
}

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\0')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
    return s;
}

locale_t CLocale()
{
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return c;
}

FieldValue DecodeField(const DbaseField& field, std::string_view raw)
{
    switch (field.type) {
    case 'C': {
        size_t end = raw.size();
        while (end > 0 && (raw[end - 1] == ' ' || raw[end - 1] == '\0')) --end;
        if (end == 0) return FieldValue::Null();
        return FieldValue::Text(std::string(raw.substr(0, end)));
    }
    case 'N':
    case 'F': {
        const std::string number(TrimBlanks(raw));
        if (number.empty()) return FieldValue::Null();
        char* end = nullptr;
        const double value = strtod_l(number.c_str(), &end, CLocale());
        if (end != number.c_str() + number.size()) return FieldValue::Null();
        return FieldValue::Double(value);
    }
    case 'D': {
        if (raw.size() != 8 || !std::all_of(raw.begin(), raw.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return FieldValue::Null();
        const std::string digits(raw);
        const DateValue date = DateValue::FromYmd(std::atoi(digits.substr(0, 4).c_str()),
                                                  std::atoi(digits.substr(4, 2).c_str()),
                                                  std::atoi(digits.substr(6, 2).c_str()));
        return date.isValid() ? FieldValue::Date(date.serial()) : FieldValue::Null();
    }
    case 'L': {
        const char c = raw.empty() ? ' ' : raw[0];
        if (c == 'T' || c == 't' || c == 'Y' || c == 'y') return FieldValue::Boolean(true);
        if (c == 'F' || c == 'f' || c == 'N' || c == 'n') return FieldValue::Boolean(false);
        return FieldValue::Null();
    }
    default: return FieldValue::Null();
    }
}

// Reads the records of one file, skipping deleted ones.
class DbaseRecordset : public Recordset {
public:
    // Stands before the first record until the first MoveNext.
    DbaseRecordset(std::ifstream in, DbaseHeader header) : in_(std::move(in)), header_(std::move(header))
    {
        record_.resize(header_.recordLength);
        in_.seekg(header_.headerLength);
        values_.resize(header_.fields.size());
    }

    bool IsEOF() const override { return eof_; }
    ReadResult<void> MoveNext() override
    {
        while (read_ < header_.recordCount) {
            ++read_;
            if (!in_.read(record_.data(), record_.size())) return ShorterThanItsHeader();
            if (record_[0] == kDeletedMark) continue;
            const std::string_view data(record_.data() + 1, record_.size() - 1);
            for (size_t i = 0; i < header_.fields.size(); ++i) {
                const DbaseField& f = header_.fields[i];
                values_[i] = DecodeField(f, data.substr(f.offset, f.length));
            }
            return {};
        }
        eof_ = true;
        return {};
    }
    int FieldCount() const override { return static_cast<int>(header_.fields.size()); }
    size_t RecordCountHint() const override { return header_.recordCount; }
    const FieldValue& GetFieldValue(int index) const override { return values_[index]; }

private:
    std::ifstream in_;
    DbaseHeader header_;
    std::vector<char> record_;
    std::vector<FieldValue> values_;
    std::uint32_t read_ = 0;
    bool eof_ = false;
};

class DbaseDatabase : public Database {
public:
    explicit DbaseDatabase(fs::path folder) : folder_(std::move(folder)) {}

    std::vector<TableDefInfo> TableDefs() const override
    {
        std::vector<TableDefInfo> tables;
        for (const fs::path& file : TableFiles()) tables.push_back({file.stem().string(), 0});
        return tables;
    }

    ReadResult<std::vector<std::string>> FieldNames(const std::string& table) const override
    {
        std::ifstream in;
        const ReadResult<DbaseHeader> header = Open(table, in);
        if (!header) return header.fault();
        std::vector<std::string> names;
        for (const DbaseField& f : header->fields) names.push_back(f.name);
        return names;
    }

    ReadResult<std::unique_ptr<Recordset>> OpenTable(const std::string& table) const override
    {
        std::ifstream in;
        ReadResult<DbaseHeader> header = Open(table, in);
        if (!header) return header.fault();
        auto rows = std::make_unique<DbaseRecordset>(std::move(in), std::move(*header));
        if (const ReadResult<void> first = rows->MoveNext(); !first) return first.fault();
        return rows;
    }

private:
    std::vector<fs::path> TableFiles() const
    {
        std::vector<fs::path> files;
        std::error_code ec, fileEc;
        for (fs::directory_iterator entry(folder_, ec), end; !ec && entry != end; entry.increment(ec))
            if (entry->is_regular_file(fileEc) && IsDbfExtension(entry->path())) files.push_back(entry->path());
        std::sort(files.begin(), files.end());
        return files;
    }

    ReadResult<DbaseHeader> Open(const std::string& table, std::ifstream& in) const
    {
        for (const fs::path& file : TableFiles()) {
            if (!SameName(file.stem().string(), table)) continue;
            in.open(file, std::ios::binary);
            if (!in) return CannotOpenFile(file.string());
            std::error_code ec;
            return ReadHeader(in, fs::file_size(file, ec));
        }
        return TableNotFound(table);
    }

    fs::path folder_;
};

}  // namespace

DatabaseResult OpenDbaseDatabase(const std::string& folder)
{
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return ReaderFault::Engine(kDaoInvalidPath, "'" + folder + "' is not a valid path.");
    return std::make_unique<DbaseDatabase>(folder);
}

}  // namespace kalderon
