#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalderon {

// Names of the sheets of one workbook as a spreadsheet accepts them: at
// most 31 characters, none of []:*?/\, no apostrophe first or last, not
// empty, and no two alike regardless of case (a name already given gets
// " (2)", " (3)" ... within the 31 characters).  Takes UTF-8.
class WorkbookSheetNames {
public:
    static constexpr size_t kMaxLength = 31;

    std::string Unique(std::string_view wanted);

private:
    bool Taken(const std::string& name) const;

    std::vector<std::string> folded_;  // the names given, in lower case
};

}  // namespace kalderon
