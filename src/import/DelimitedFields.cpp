#include "import/DelimitedFields.h"

#include <array>
#include <cstring>

#include "import/CharClass.h"

namespace kalderon {
namespace {

[[gnu::always_inline]] inline std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsCSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsCSpace(text.back())) text.remove_suffix(1);
    return text;
}

// The opening quote of the field that starts at `position`: its first
// character after white space; npos when the field is not quoted.
size_t OpeningQuote(std::string_view line, size_t position, char separator)
{
    while (position < line.size() && IsCSpace(line[position]) && line[position] != separator) ++position;
    return position < line.size() && line[position] == '"' ? position : std::string_view::npos;
}

// The lone double quote that closes the quoted field opened at `quote`;
// npos when none does.  `doubled` tells whether two quotes stand inside.
size_t ClosingQuote(std::string_view line, size_t quote, bool& doubled)
{
    doubled = false;
    for (size_t close = quote + 1;; close += 2) {
        close = line.find('"', close);
        if (close == std::string_view::npos || close + 1 == line.size() || line[close + 1] != '"') return close;
        doubled = true;
    }
}

}  // namespace

FieldSplitter::FieldSplitter(char separator, bool quoting) : separator_(separator), quoting_(quoting) {}

namespace {

// Where the field that starts at `position` ends: the next separator or the
// end of the line.  Fields are short, so a plain walk beats a library call.
[[gnu::always_inline]] inline size_t FieldEnd(std::string_view line, size_t position, char separator)
{
    while (position < line.size() && line[position] != separator) ++position;
    return position;
}

}  // namespace

bool FieldSplitter::Split(std::string_view line, std::vector<std::string_view>& fields, std::size_t limit)
{
    fields.clear();
    if (quoting_ && std::memchr(line.data(), '"', line.size())) return SplitQuoted(line, fields, limit);
    size_t position = 0;
    while (position < line.size() && fields.size() < limit) {
        const size_t stop = FieldEnd(line, position, separator_);
        fields.push_back(Trim(line.substr(position, stop - position)));
        position = stop + 1;
    }
    return true;
}

bool FieldSplitter::SplitQuoted(std::string_view line, std::vector<std::string_view>& fields, std::size_t limit)
{
    unquoted_.clear();
    unquoted_.reserve(line.size());
    size_t position = 0;
    while (position < line.size()) {
        size_t quote = position;
        while (quote < line.size() && IsCSpace(line[quote]) && line[quote] != separator_) ++quote;
        if (quote == line.size() || line[quote] != '"') {
            const size_t stop = FieldEnd(line, quote, separator_);
            if (fields.size() < limit) fields.push_back(Trim(line.substr(position, stop - position)));
            position = stop + 1;
            continue;
        }
        const size_t first = quote + 1;
        bool doubled = false;
        const size_t close = ClosingQuote(line, quote, doubled);
        if (close == std::string_view::npos) return false;
        const size_t stop = FieldEnd(line, close + 1, separator_);
        const std::string_view after = Trim(line.substr(close + 1, stop - close - 1));
        std::string_view field = line.substr(first, close - first);
        if (fields.size() < limit && (doubled || !after.empty())) {
            const size_t begin = unquoted_.size();
            for (size_t i = 0; i < field.size(); ++i) {
                unquoted_ += field[i];
                if (field[i] == '"') ++i;
            }
            unquoted_.append(after);
            field = std::string_view(unquoted_).substr(begin);
        }
        if (fields.size() < limit) fields.push_back(field);
        position = stop + 1;
    }
    return true;
}

std::vector<FieldSpan> FieldSpans(std::string_view line, char separator, bool quoting)
{
    std::vector<FieldSpan> spans;
    size_t position = 0;
    while (position < line.size()) {
        size_t from = position;
        if (quoting) {
            if (const size_t quote = OpeningQuote(line, position, separator); quote != std::string_view::npos) {
                bool doubled = false;
                from = ClosingQuote(line, quote, doubled);
                if (from == std::string_view::npos) {
                    spans.push_back({position, line.size()});
                    break;
                }
            }
        }
        size_t stop = line.find(separator, from);
        if (stop == std::string_view::npos) stop = line.size();
        spans.push_back({position, stop});
        position = stop + 1;
    }
    return spans;
}

char GuessSeparator(const std::vector<std::string_view>& lines)
{
    static constexpr std::array<char, 4> kCandidates = {';', ',', '\t', '|'};
    std::vector<std::string_view> fields;
    char evenBest = 0;
    size_t evenBestFields = 1;
    char oftenBest = ';';
    size_t oftenBestCount = 0;
    for (const char candidate : kCandidates) {
        FieldSplitter splitter(candidate, true);
        size_t firstCount = 0;
        size_t total = 0;
        bool even = true;
        bool seen = false;
        for (const std::string_view line : lines) {
            if (line.empty()) continue;
            // Counting the fields of the whole line: a trailing separator
            // counts as one, so that "a;" and "a;b" agree.
            const bool closed = splitter.Split(line, fields, line.size() + 1);
            const size_t count = fields.size() + (line.back() == candidate ? 1 : 0);
            total += count - 1;
            if (!seen) firstCount = count;
            even = even && closed && count == firstCount;
            seen = true;
        }
        if (seen && even && firstCount > evenBestFields) {
            evenBest = candidate;
            evenBestFields = firstCount;
        }
        if (total > oftenBestCount) {
            oftenBest = candidate;
            oftenBestCount = total;
        }
    }
    return evenBest ? evenBest : oftenBest;
}

}  // namespace kalderon
