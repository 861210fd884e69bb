#include "stats/DataColumns.h"

#include <charconv>
#include <cmath>
#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "common/LargeArrays.h"

namespace kalderon {
namespace {

constexpr size_t kFirstSlots = 64;
// Past this many codes a column whose values are mostly distinct keeps them
// as texts: a code and a dictionary entry then cost more than the text's end.
constexpr size_t kCodesBeforeCheck = 65536;

std::uint64_t Load8(const char* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return word;
}

std::uint64_t Load4(const char* p)
{
    std::uint32_t word;
    std::memcpy(&word, p, 4);
    return word;
}

// Two words that, with the size, tell texts of up to 16 bytes apart: read
// in overlapping pieces of fixed size, which is faster than copying a
// varying number of bytes.
std::array<std::uint64_t, 2> HeadWords(std::string_view text)
{
    const char* p = text.data();
    const size_t n = text.size();
    if (n >= 16) return {Load8(p), Load8(p + 8)};
    if (n >= 8) return {Load8(p), Load8(p + n - 8)};
    if (n >= 4) return {Load4(p) | Load4(p + n - 4) << 32, 0};
    if (n > 0) {
        const auto byte = [p](size_t i) { return std::uint64_t{static_cast<unsigned char>(p[i])}; };
        return {byte(0) | byte(n / 2) << 8 | byte(n - 1) << 16, 0};
    }
    return {0, 0};
}

std::uint64_t Mix(std::uint64_t h, std::uint64_t word)
{
    h = (h ^ word) * 0xBF58476D1CE4E5B9ull;
    return h ^ (h >> 31);
}

std::uint64_t HashBytes(std::string_view text, const std::array<std::uint64_t, 2>& head)
{
    std::uint64_t h = Mix((text.size() + 1) * 0x9E3779B97F4A7C15ull, head[0]);
    h = Mix(h, head[1]);
    for (size_t at = 16; at < text.size(); at += 8)
        h = Mix(h, Load8(text.data() + std::min(at, text.size() - 8)));
    return h * 0x94D049BB133111EBull >> 32;
}

// Empties a container and gives its room back.
template <class Container>
void Free(Container& c)
{
    Container().swap(c);
}

constexpr size_t kMostCodeBytes = 0xFFFFFFFFu;
constexpr size_t kStagedRows = 32;
constexpr size_t kStagedBytes = size_t{1} << 20;  // and a staged value's offset stays far below 4 GB

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

DataColumn::DataColumn(std::string name) : name_(std::move(name)) {}

std::optional<double> ReadNumber(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> DataColumn::Number(size_t row) const { return ReadNumber(Value(row)); }

std::string_view DataColumn::Shown(size_t row) const
{
    const std::string_view value = Value(row);
    if (labels_.empty()) return value;
    const auto found = labels_.find(std::string(value));
    return found == labels_.end() ? value : std::string_view(found->second);
}

std::uint32_t DataColumn::Code(size_t row) const
{
    const std::uint8_t* at = codes_.data() + row * codeWidth_;
    if (codeWidth_ == 1) return *at;
    if (codeWidth_ == 2) {
        std::uint16_t code;
        std::memcpy(&code, at, 2);
        return code;
    }
    std::uint32_t code;
    std::memcpy(&code, at, 4);
    return code;
}

void DataColumn::Reserve(size_t rows)
{
    if (coded_)
        ReserveLarge(codes_, rows * codeWidth_);
    else
        ReserveLarge(ends_, rows);
}

std::uint32_t DataColumn::Hash(std::string_view value) const
{
    if (!coded_) return 0;
    const auto hash = static_cast<std::uint32_t>(HashBytes(value, HeadWords(value)));
    if (!slots_.empty()) __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
    return hash;
}

void DataColumn::Append(std::string_view value, std::uint32_t hash)
{
    // The slots address the texts of the codes by 32 bits.
    if (coded_ && codeBytes_.size() + value.size() > kMostCodeBytes) StopCoding();
    if (coded_) {
        PutCode(CodeOf(value, hash));
        if (CodeCount() >= kCodesBeforeCheck && (CodeCount() & (CodeCount() - 1)) == 0 && CodeCount() * 5 > rows_ * 2)
            StopCoding();
        return;
    }
    bytes_.append(value);
    ends_.push_back(bytes_.size());
    ++rows_;
}

std::uint32_t DataColumn::CodeOf(std::string_view value, std::uint32_t hash)
{
    if (slots_.empty()) slots_.assign(kFirstSlots, Slot{});
    const auto size = static_cast<std::uint32_t>(value.size());
    const std::array<std::uint64_t, 2> head = HeadWords(value);
    const size_t mask = slots_.size() - 1;
    size_t at = hash & mask;
    for (; slots_[at].codePlusOne != 0; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.hash == hash && slot.size == size && slot.head[0] == head[0] && slot.head[1] == head[1] &&
            (size <= 16 || std::memcmp(codeBytes_.data() + slot.offset, value.data(), size) == 0))
            return slot.codePlusOne - 1;
    }
    const auto code = static_cast<std::uint32_t>(codeEnds_.size());
    slots_[at] = Slot{hash, code + 1, static_cast<std::uint32_t>(codeBytes_.size()), size, {head[0], head[1]}};
    codeBytes_.append(value);
    codeEnds_.push_back(codeBytes_.size());
    if (codeEnds_.size() * 2 > slots_.size()) GrowSlots();
    return code;
}

void DataColumn::PutCode(std::uint32_t code)
{
    if (codeWidth_ == 1 && code > 0xFF) Widen(2);
    if (codeWidth_ == 2 && code > 0xFFFF) Widen(4);
    // Byte by byte, since push_back stays inline where resize does not.
    std::uint8_t bytes[4];
    if (codeWidth_ == 2) {
        const auto narrow = static_cast<std::uint16_t>(code);
        std::memcpy(bytes, &narrow, 2);
    } else {
        std::memcpy(bytes, &code, 4);
    }
    if (codeWidth_ == 1)
        codes_.push_back(static_cast<std::uint8_t>(code));
    else
        for (unsigned i = 0; i < codeWidth_; ++i) codes_.push_back(bytes[i]);
    ++rows_;
}

void DataColumn::Widen(unsigned width)
{
    std::vector<std::uint8_t> wider;
    ReserveLarge(wider, codes_.capacity() / codeWidth_ * width);
    wider.resize(rows_ * width);
    for (size_t row = 0; row < rows_; ++row) {
        const std::uint32_t code = Code(row);
        if (width == 2) {
            const auto narrow = static_cast<std::uint16_t>(code);
            std::memcpy(wider.data() + row * 2, &narrow, 2);
        } else {
            std::memcpy(wider.data() + row * 4, &code, 4);
        }
    }
    codes_ = std::move(wider);
    codeWidth_ = width;
}

void DataColumn::GrowSlots()
{
    std::vector<Slot> old(slots_.size() * 2, Slot{});
    old.swap(slots_);
    const size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.codePlusOne == 0) continue;
        size_t at = slot.hash & mask;
        while (slots_[at].codePlusOne != 0) at = (at + 1) & mask;
        slots_[at] = slot;
    }
}

void DataColumn::StopCoding()
{
    ReserveLarge(ends_, codes_.capacity() / codeWidth_);
    for (size_t row = 0; row < rows_; ++row) {
        bytes_.append(CodeText(Code(row)));
        ends_.push_back(bytes_.size());
    }
    coded_ = false;
    Free(codes_);
    Free(codeBytes_);
    Free(codeEnds_);
    Free(slots_);
}

void DataColumn::Finish()
{
    Free(slots_);
    codes_.shrink_to_fit();
    codeBytes_.shrink_to_fit();
    codeEnds_.shrink_to_fit();
    bytes_.shrink_to_fit();
    ends_.shrink_to_fit();
}

size_t DataColumn::MemoryBytes() const
{
    size_t bytes = sizeof *this + name_.capacity() + codes_.capacity() + codeBytes_.capacity() +
                   bytes_.capacity() + (codeEnds_.capacity() + ends_.capacity()) * sizeof(std::uint64_t) +
                   slots_.capacity() * sizeof(Slot);
    for (const auto& [value, label] : labels_) bytes += value.capacity() + label.capacity() + 64;
    return bytes;
}

// A staged row gets the new column's value when it is appended.
void DataColumns::AddColumn(std::string name)
{
    names_.insert(name);
    DataColumn& column = columns_.emplace_back(std::move(name));
    column.Reserve(std::max(reserved_, rows_));
    for (size_t row = 0; row < rowsInColumns_; ++row) column.Append({});
}

void DataColumns::AppendRow(std::span<const std::string_view> fields)
{
    size_t rowBytes = 0;
    for (const std::string_view field : fields) rowBytes += field.size();
    if (rowBytes > kStagedBytes) {  // a line of megabytes goes in at once
        AppendRows(fields, std::array{fields.size()});
        return;
    }
    AddColumnsFor(fields.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        const auto offset = static_cast<std::uint32_t>(stagedBytes_.size());
        stagedBytes_.append(fields[i]);
        stagedValues_.push_back({offset, static_cast<std::uint32_t>(fields[i].size()), columns_[i].Hash(fields[i])});
    }
    stagedRowEnds_.push_back(static_cast<std::uint32_t>(stagedValues_.size()));
    ++rows_;
    if (stagedRowEnds_.size() == kStagedRows || stagedBytes_.size() > kStagedBytes) AppendStagedRows();
}

void DataColumns::AppendRows(std::span<const std::string_view> fields, std::span<const size_t> rowEnds)
{
    AppendStagedRows();
    size_t groupBegin = 0;
    for (size_t first = 0; first < rowEnds.size(); first += kStagedRows) {
        const std::span<const size_t> group = rowEnds.subspan(first, std::min(kStagedRows, rowEnds.size() - first));
        size_t begin = groupBegin;
        for (const size_t end : group) {
            AddColumnsFor(end - begin);
            begin = end;
        }
        hashes_.clear();
        begin = groupBegin;
        for (const size_t end : group) {
            for (size_t i = 0; begin + i < end; ++i) hashes_.push_back(columns_[i].Hash(fields[begin + i]));
            begin = end;
        }
        const std::uint32_t* hash = hashes_.data();
        begin = groupBegin;
        for (const size_t end : group) {
            AppendRowValues(end - begin, [&](size_t i) { return std::pair(fields[begin + i], hash[i]); });
            hash += end - begin;
            begin = end;
        }
        rows_ += group.size();
        groupBegin = begin;
    }
}

void DataColumns::AppendStagedRows()
{
    const std::string_view bytes(stagedBytes_);
    size_t begin = 0;
    for (const std::uint32_t end : stagedRowEnds_) {
        AppendRowValues(end - begin, [&](size_t i) {
            const StagedValue& v = stagedValues_[begin + i];
            return std::pair(bytes.substr(v.offset, v.size), v.hash);
        });
        begin = end;
    }
    stagedBytes_.clear();
    stagedValues_.clear();
    stagedRowEnds_.clear();
}

void DataColumns::AddColumnsFor(size_t fieldCount)
{
    while (columns_.size() < fieldCount) AddColumn(UnusedName("F" + std::to_string(columns_.size() + 1)));
}

template <class ValueAt>
void DataColumns::AppendRowValues(size_t count, ValueAt valueAt)
{
    size_t i = 0;
    for (; i < count; ++i) {
        const auto [value, hash] = valueAt(i);
        columns_[i].Append(value, hash);
    }
    for (; i < columns_.size(); ++i) columns_[i].Append({});
    ++rowsInColumns_;
}

std::string DataColumns::UnusedName(std::string name) const
{
    const auto taken = [this](const std::string& candidate) { return names_.count(candidate) > 0; };
    if (!taken(name)) return name;
    std::string unique;
    for (int k = 2; unique.empty() || taken(unique); ++k) unique = name + "_" + std::to_string(k);
    return unique;
}

void DataColumns::Reserve(size_t rows)
{
    reserved_ = rows;
    for (DataColumn& column : columns_) column.Reserve(rows);
}

void DataColumns::Finish()
{
    AppendStagedRows();
    for (DataColumn& column : columns_) column.Finish();
}

size_t DataColumns::MemoryBytes() const
{
    size_t bytes = sizeof *this + columns_.capacity() * sizeof(DataColumn);
    for (const DataColumn& column : columns_) bytes += column.MemoryBytes() - sizeof column;
    return bytes;
}

}  // namespace kalderon
