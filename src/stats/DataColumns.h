#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "stats/ValueLabels.h"

namespace kalderon {

// A text read as a number in the C conventions ("12", "-0.5", "1.5e+03",
// blanks around it allowed); nothing when it is empty or more than a number.
std::optional<double> ReadNumber(std::string_view text);

// One column of a data set: its name and, per row in file order, its value
// as the byte text the file gave.  Values are dictionary-coded while a
// column repeats them (codes, dates, numbers of few digits: one to four
// bytes a row); a column of mostly distinct values (identifiers) keeps its
// texts one after another in a single block.
class DataColumn {
public:
    explicit DataColumn(std::string name);

    const std::string& name() const { return name_; }
    size_t size() const { return rows_; }

    std::string_view Value(size_t row) const
    {
        if (coded_) return CodeText(Code(row));
        const std::uint64_t begin = row == 0 ? 0 : ends_[row - 1];
        return std::string_view(bytes_).substr(begin, ends_[row] - begin);
    }
    bool IsEmpty(size_t row) const { return Value(row).empty(); }
    // The value read as a number in the C conventions ("12", "-0.5",
    // "1.5e+03"); nothing when it is empty or more than a number.
    std::optional<double> Number(size_t row) const;

    // The labels the file gives the column's values, and the label of a row's
    // value, or the value itself where it has none.
    const ValueLabels& labels() const { return labels_; }
    void SetLabels(ValueLabels labels) { labels_ = std::move(labels); }
    std::string_view Shown(size_t row) const;

    // Whether the values are dictionary-coded: each distinct value, in order
    // of first appearance, is one code.
    bool IsCoded() const { return coded_; }
    size_t CodeCount() const { return codeEnds_.size(); }
    std::uint32_t Code(size_t row) const;
    std::string_view CodeText(std::uint32_t code) const
    {
        const std::uint64_t begin = code == 0 ? 0 : codeEnds_[code - 1];
        return std::string_view(codeBytes_).substr(begin, codeEnds_[code] - begin);
    }

    void Reserve(size_t rows);
    void Append(std::string_view value) { Append(value, Hash(value)); }
    // Appending in two steps, so that the look-ups of a row's values into
    // their columns' dictionaries overlap: Hash, which also fetches the
    // place the look-up will read, then Append with that hash.
    std::uint32_t Hash(std::string_view value) const;
    void Append(std::string_view value, std::uint32_t hash);
    // Lets go of what only appending needs.
    void Finish();
    // The bytes the column holds.
    size_t MemoryBytes() const;

private:
    std::uint32_t CodeOf(std::string_view value, std::uint32_t hash);
    void PutCode(std::uint32_t code);
    void Widen(unsigned width);
    void GrowSlots();
    void StopCoding();

    std::string name_;
    ValueLabels labels_;
    size_t rows_ = 0;
    bool coded_ = true;

    // Coded: the rows' codes, `codeWidth_` bytes each; the distinct texts one
    // after another with their ends; while appending, a hash table whose
    // slots hold what a look-up compares: short texts themselves, so that
    // the look-up reads one place only.
    struct Slot {
        std::uint32_t hash;
        std::uint32_t codePlusOne;  // 0: empty
        std::uint32_t offset;       // of the text in codeBytes_
        std::uint32_t size;
        std::uint64_t head[2];      // a text of up to 16 bytes, padded with zeros
    };
    unsigned codeWidth_ = 1;
    std::vector<std::uint8_t> codes_;
    std::string codeBytes_;
    std::vector<std::uint64_t> codeEnds_;
    std::vector<Slot> slots_;

    // Not coded: the rows' texts one after another with their ends.
    std::string bytes_;
    std::vector<std::uint64_t> ends_;
};

// Every column of a data set, in the file's order, holding the same number
// of rows (the rows of the file, CaseList::rowToList maps them to cases).
class DataColumns {
public:
    // A column with an empty value in every row so far.
    void AddColumn(std::string name);
    // Field i into column i.  Fields beyond the columns start new ones,
    // named "F" and their number ("F8", or "F8_2" where that name is taken);
    // columns beyond the fields get an empty value.
    void AppendRow(std::span<const std::string_view> fields);
    // Rows one after another: row r's fields end at rowEnds[r].  The fields
    // are read during the call only, so that they need not be copied.
    void AppendRows(std::span<const std::string_view> fields, std::span<const size_t> rowEnds);
    void Reserve(size_t rows);
    // Completes the rows appended: the columns are to be read only after it.
    void Finish();

    size_t rowCount() const { return rows_; }
    size_t columnCount() const { return columns_.size(); }
    const DataColumn& operator[](size_t column) const { return columns_[column]; }
    DataColumn& operator[](size_t column) { return columns_[column]; }
    size_t MemoryBytes() const;

private:
    std::string UnusedName(std::string name) const;
    // Columns named "F" and their number until there are `fieldCount`.
    void AddColumnsFor(size_t fieldCount);
    // One row into the columns: valueAt(i) gives field i's text and hash;
    // the columns beyond `count` get an empty value.
    template <class ValueAt>
    void AppendRowValues(size_t count, ValueAt valueAt);
    void AppendStagedRows();

    std::vector<DataColumn> columns_;
    std::unordered_set<std::string> names_;
    size_t rows_ = 0;
    size_t reserved_ = 0;
    // Rows are appended to the columns a few at a time: their values are
    // copied here first and the places their look-ups will read fetched, so
    // that the look-ups of many values overlap rather than wait one by one.
    struct StagedValue {
        std::uint32_t offset, size, hash;
    };
    std::string stagedBytes_;
    std::vector<StagedValue> stagedValues_;
    std::vector<std::uint32_t> stagedRowEnds_;  // per staged row: the end of its values
    std::vector<std::uint32_t> hashes_;         // AppendRows': of a few rows' values
    size_t rowsInColumns_ = 0;
};

}  // namespace kalderon
