#include "import/FieldNameLineGuess.h"

#include <algorithm>

#include "import/DatePattern.h"
#include "import/DelimitedFields.h"

namespace kalderon {
namespace {

// The offered patterns, then YYYY-MM-DD.
std::vector<std::string_view> CandidatePatterns()
{
    std::vector<std::string_view> patterns(kOfferedDatePatterns.begin(), kOfferedDatePatterns.end());
    patterns.emplace_back("YYYY-MM-DD");
    return patterns;
}

// Any valid date: a first line holding one is taken for a case.
bool ReadsAsDate(const std::vector<std::string>& fields, size_t field, const DatePattern& pattern)
{
    return field < fields.size() && pattern.Read(fields[field]).isValid();
}

// A date with a four-digit year, as the dates of a date field are: short
// numbers such as "1,2" also read as dates of the first centuries.
bool ReadsAsFullDate(const std::vector<std::string>& fields, size_t field, const DatePattern& pattern)
{
    if (field >= fields.size()) return false;
    const DateValue date = pattern.Read(fields[field]);
    return date.isValid() && date.civil().year >= 1000;
}

}  // namespace

DateFieldSample::DateFieldSample(const std::vector<std::string_view>& lines, char separator, bool quoting)
{
    FieldSplitter splitter(separator, quoting);
    std::vector<std::string_view> fields;
    for (const std::string_view line : lines) {
        (void)splitter.Split(line, fields, line.size() + 1);
        fields_.emplace_back(fields.begin(), fields.end());
    }
}

std::size_t DateFieldSample::DatesRead(std::int32_t field, std::string_view pattern) const
{
    if (fields_.empty() || field < 1) return 0;
    const DatePattern reader(pattern);
    return static_cast<std::size_t>(std::count_if(fields_.begin() + 1, fields_.end(), [&](const auto& line) {
        return ReadsAsFullDate(line, static_cast<size_t>(field - 1), reader);
    }));
}

std::string DateFieldSample::BestPattern(std::int32_t field) const
{
    std::string_view best;
    std::size_t bestRead = fields_.empty() ? 0 : (fields_.size() - 1) / 2;  // more than half is needed
    for (const std::string_view pattern : CandidatePatterns()) {
        const std::size_t read = DatesRead(field, pattern);
        if (read > bestRead) {
            best = pattern;
            bestRead = read;
        }
    }
    return std::string(best);
}

DateFieldSample::DateFields DateFieldSample::FindDateFields() const
{
    DateFields found;
    if (fields_.size() < 2) return found;
    for (size_t field = 0; field < fields_.front().size() && !found.onFirstLine; ++field) {
        for (const std::string_view pattern : CandidatePatterns()) {
            if (DatesRead(static_cast<std::int32_t>(field + 1), pattern) * 2 <= fields_.size() - 1) continue;
            found.seen = true;
            found.onFirstLine = found.onFirstLine || ReadsAsDate(fields_.front(), field, DatePattern(pattern));
        }
    }
    return found;
}

bool DateFieldSample::FirstLineNamesFields() const
{
    const DateFields found = FindDateFields();
    return found.seen && !found.onFirstLine;
}

bool DateFieldSample::FirstLineHoldsDates() const { return FindDateFields().onFirstLine; }

bool FirstLineNamesFields(const std::vector<std::string_view>& lines, char separator)
{
    return DateFieldSample(lines, separator, true).FirstLineNamesFields();
}

}  // namespace kalderon
