#include "import/FieldNameLineGuess.h"

#include <algorithm>
#include <string>

#include "import/DatePattern.h"
#include "import/DelimitedFields.h"

namespace kalderon {
namespace {

// The fields of each line, copied out of the splitter.
std::vector<std::vector<std::string>> FieldsOfLines(const std::vector<std::string_view>& lines, char separator)
{
    FieldSplitter splitter(separator, true);
    std::vector<std::string_view> fields;
    std::vector<std::vector<std::string>> result;
    for (const std::string_view line : lines) {
        (void)splitter.Split(line, fields, line.size() + 1);
        result.emplace_back(fields.begin(), fields.end());
    }
    return result;
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

bool FirstLineNamesFields(const std::vector<std::string_view>& lines, char separator)
{
    if (lines.size() < 2) return false;
    const std::vector<std::vector<std::string>> fields = FieldsOfLines(lines, separator);
    std::vector<DatePattern> patterns(kOfferedDatePatterns.begin(), kOfferedDatePatterns.end());
    patterns.emplace_back("YYYY-MM-DD");
    const size_t dataLines = lines.size() - 1;
    bool dateFieldSeen = false;
    for (size_t field = 0; field < fields.front().size(); ++field) {
        for (const DatePattern& pattern : patterns) {
            const auto dates = std::count_if(fields.begin() + 1, fields.end(), [&](const std::vector<std::string>& line) {
                return ReadsAsFullDate(line, field, pattern);
            });
            if (static_cast<size_t>(dates) * 2 <= dataLines) continue;
            if (ReadsAsDate(fields.front(), field, pattern)) return false;
            dateFieldSeen = true;
        }
    }
    return dateFieldSeen;
}

}  // namespace kalderon
