#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kalderon {

// Cuts a line into the fields between its separators, white space removed
// at both ends of each field.  Adjacent separators give an empty field; a
// separator at the end of the line adds none.
//
// With quoting, a field whose first character after white space is a double
// quote runs to the next lone double quote: it may hold the separator, and
// two double quotes stand for one.  Its white space is kept; characters
// between the closing quote and the next separator are added to it trimmed.
class FieldSplitter {
public:
    FieldSplitter(char separator, bool quoting);

    // At most `limit` fields into `fields`, valid until the next call and as
    // long as `line` is.  False when a quoted field does not close on the line
    // (anywhere on it, also beyond the fields taken).
    bool Split(std::string_view line, std::vector<std::string_view>& fields, std::size_t limit);

private:
    bool SplitWrapped(std::string_view line, std::vector<std::string_view>& fields, std::size_t fieldCount,
                      std::size_t stopCount);
    bool SplitQuoted(std::string_view line, std::vector<std::string_view>& fields, std::size_t limit,
                     std::size_t stopCount);

    char separator_;
    bool quoting_;
    std::string unquoted_;       // the fields whose doubled quotes were made single
    std::vector<std::size_t> stops_;  // where the separators of the line stand
};

// Where a field stands in its line, from its first character to the
// separator after it (or the end of the line), quotes and white space
// included.
struct FieldSpan {
    std::size_t begin;
    std::size_t end;
};

// Every field of the line as FieldSplitter cuts it, for showing the fields
// where they stand.  A quoted field that does not close runs to the end of
// the line.
std::vector<FieldSpan> FieldSpans(std::string_view line, char separator, bool quoting);

// The separator that cuts the lines most evenly: of ';', ',', tab and '|',
// the one that gives every line (quoting respected) the same number of
// fields, and more than one; among several, the one giving the most fields,
// then the first in that order.  When none does, the one standing most often
// outside quotes; ';' when none stands at all.
char GuessSeparator(const std::vector<std::string_view>& lines);

}  // namespace kalderon
