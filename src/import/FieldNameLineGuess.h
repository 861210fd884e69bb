#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalderon {

// The fields of the first lines of a file (its first non-empty lines), and
// what their values say about the file: which fields hold dates, by which
// pattern, and whether the first line names the fields.  A date field is one
// whose values read as dates with a four-digit year, by one of the offered
// patterns or YYYY-MM-DD, in more than half of the lines after the first.
class DateFieldSample {
public:
    DateFieldSample(const std::vector<std::string_view>& lines, char separator, bool quoting);

    // How many values of the field (1, 2, ...) in the lines after the first
    // read as dates with a four-digit year by the pattern.
    std::size_t DatesRead(std::int32_t field, std::string_view pattern) const;
    // The pattern of a date field that reads the most of its values (the
    // first such of the offered patterns, then YYYY-MM-DD); empty for a
    // field that is no date field.
    std::string BestPattern(std::int32_t field) const;
    // Whether the first line names the fields rather than holding a case:
    // the file has date fields, and none of them reads as a date on the
    // first line.
    bool FirstLineNamesFields() const;
    // Whether a date field reads as a date on the first line: the first line
    // is a case.
    bool FirstLineHoldsDates() const;

private:
    struct DateFields {
        bool seen = false;         // the file has date fields
        bool onFirstLine = false;  // one of them reads as a date on the first line
    };
    DateFields FindDateFields() const;

    std::vector<std::vector<std::string>> fields_;  // per line
};

// DateFieldSample's guess for fields cut at the separator, quotes respected.
bool FirstLineNamesFields(const std::vector<std::string_view>& lines, char separator);

}  // namespace kalderon
