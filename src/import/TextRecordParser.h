#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "import/DatePattern.h"
#include "import/DelimitedFields.h"
#include "import/TextImportSettings.h"
#include "stats/CaseRecord.h"

namespace kalderon {

// Turns one line of a text file into the values of one case, by the fields
// (free format) or character positions (fixed columns) of the settings.
class TextRecordParser {
public:
    // With `everyField`, Parse also cuts out the fields no role takes.
    explicit TextRecordParser(const TextImportSettings& settings, bool everyField = false);

    // Sets every value except caseNumber; values a line does not hold are
    // left at their reset state (invalid dates, empty texts, and a birth date
    // that is null when no birth column is read).  False, with every value
    // at its reset state, when a quoted field does not close on the line.
    bool Parse(std::string_view line, ImportedRecordValues& values);
    // Only cuts the line into its fields; false when a quoted field does not
    // close on the line.
    bool Cut(std::string_view line);
    // Parse in two steps: the values of a line from the fields Cut gave it
    // (or views of the same texts) and what Cut returned.
    void Read(std::string_view line, std::span<const std::string_view> fields, bool closed,
              ImportedRecordValues& values) const;
    // The fields of the line last cut or parsed, valid as long as it is: of
    // free format every field (with `everyField`; else those up to the last a
    // role takes), of fixed columns (with `everyField`) the pieces of the
    // roles read, in the order of FixedColumnNames.
    const std::vector<std::string_view>& fields() const { return fields_; }

private:
    void Reset(ImportedRecordValues& values) const;
    static std::string_view Piece(std::string_view line, std::int32_t from, std::int32_t to);

    const TextImportSettings settings_;
    const DatePattern beginPattern_;
    const DatePattern endPattern_;
    const DatePattern birthPattern_;
    size_t fieldsNeeded_ = 0;  // highest field number a role takes, or all
    bool everyField_ = false;
    FieldSplitter splitter_;
    std::vector<std::string_view> fields_;
};

// The names of the pieces a fixed-column parser cuts out: the character
// positions of each role read, "1-10".
std::vector<std::string> FixedColumnNames(const TextImportSettings& settings);

}  // namespace kalderon
