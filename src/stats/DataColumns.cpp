#include "stats/DataColumns.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "common/LargeArrays.h"

namespace kalderon {
namespace {

constexpr size_t kFirstSlots = 64;
// Past this many codes a column whose values are mostly distinct keeps them
// as texts: a code and a dictionary entry then cost more than the text's end.
constexpr size_t kCodesBeforeCheck = 65536;

std::uint64_t HashBytes(std::string_view text)
{
    std::uint64_t h = (text.size() + 1) * 0x9E3779B97F4A7C15ull;
    const char* p = text.data();
    size_t n = text.size();
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        h = (h ^ word) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
    }
    if (n > 0) {
        std::uint64_t word = 0;
        std::memcpy(&word, p, n);
        h = (h ^ word) * 0x94D049BB133111EBull;
    }
    return h ^ (h >> 29);
}

// Empties a container and gives its room back.
template <class Container>
void Free(Container& c)
{
    Container().swap(c);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

DataColumn::DataColumn(std::string name) : name_(std::move(name)) {}

std::optional<double> DataColumn::Number(size_t row) const
{
    std::string_view text = Value(row);
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

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

void DataColumn::Append(std::string_view value)
{
    if (coded_) {
        PutCode(CodeOf(value));
        if (CodeCount() >= kCodesBeforeCheck && (CodeCount() & (CodeCount() - 1)) == 0 && CodeCount() * 5 > rows_ * 2)
            StopCoding();
        return;
    }
    bytes_.append(value);
    ends_.push_back(bytes_.size());
    ++rows_;
}

std::uint32_t DataColumn::CodeOf(std::string_view value)
{
    if (!codeEnds_.empty() && CodeText(lastCode_) == value) return lastCode_;
    if (slots_.empty()) slots_.assign(kFirstSlots, 0);
    const std::uint64_t hash = HashBytes(value);
    const auto shortHash = static_cast<std::uint32_t>(hash);
    const size_t mask = slots_.size() - 1;
    size_t slot = hash & mask;
    for (; slots_[slot] != 0; slot = (slot + 1) & mask) {
        const std::uint32_t code = slots_[slot] - 1;
        if (codeHashes_[code] == shortHash && CodeText(code) == value) return lastCode_ = code;
    }
    const auto code = static_cast<std::uint32_t>(codeEnds_.size());
    codeBytes_.append(value);
    codeEnds_.push_back(codeBytes_.size());
    codeHashes_.push_back(shortHash);
    slots_[slot] = code + 1;
    if (codeEnds_.size() * 2 > slots_.size()) GrowSlots();
    return lastCode_ = code;
}

void DataColumn::PutCode(std::uint32_t code)
{
    if (codeWidth_ == 1 && code > 0xFF) Widen(2);
    if (codeWidth_ == 2 && code > 0xFFFF) Widen(4);
    const size_t at = codes_.size();
    codes_.resize(at + codeWidth_);
    if (codeWidth_ == 1)
        codes_[at] = static_cast<std::uint8_t>(code);
    else if (codeWidth_ == 2) {
        const auto narrow = static_cast<std::uint16_t>(code);
        std::memcpy(codes_.data() + at, &narrow, 2);
    } else {
        std::memcpy(codes_.data() + at, &code, 4);
    }
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
    slots_.assign(slots_.size() * 2, 0);
    const size_t mask = slots_.size() - 1;
    for (std::uint32_t code = 0; code < codeHashes_.size(); ++code) {
        size_t slot = codeHashes_[code] & mask;
        while (slots_[slot] != 0) slot = (slot + 1) & mask;
        slots_[slot] = code + 1;
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
    Free(codeHashes_);
    Free(slots_);
    lastCode_ = 0;
}

void DataColumn::Finish()
{
    Free(slots_);
    Free(codeHashes_);
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
                   (codeHashes_.capacity() + slots_.capacity()) * sizeof(std::uint32_t);
    for (const auto& [value, label] : labels_) bytes += value.capacity() + label.capacity() + 64;
    return bytes;
}

void DataColumns::AddColumn(std::string name)
{
    DataColumn& column = columns_.emplace_back(std::move(name));
    column.Reserve(std::max(reserved_, rows_));
    for (size_t row = 0; row < rows_; ++row) column.Append({});
}

void DataColumns::AppendRow(std::span<const std::string_view> fields)
{
    while (columns_.size() < fields.size()) AddColumn(UnusedName("F" + std::to_string(columns_.size() + 1)));
    for (size_t i = 0; i < fields.size(); ++i) columns_[i].Append(fields[i]);
    for (size_t i = fields.size(); i < columns_.size(); ++i) columns_[i].Append({});
    ++rows_;
}

std::string DataColumns::UnusedName(std::string name) const
{
    const auto taken = [this](const std::string& candidate) {
        for (const DataColumn& column : columns_)
            if (column.name() == candidate) return true;
        return false;
    };
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
    for (DataColumn& column : columns_) column.Finish();
}

size_t DataColumns::MemoryBytes() const
{
    size_t bytes = sizeof *this + columns_.capacity() * sizeof(DataColumn);
    for (const DataColumn& column : columns_) bytes += column.MemoryBytes() - sizeof column;
    return bytes;
}

}  // namespace kalderon
