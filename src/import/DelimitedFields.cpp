#include "import/DelimitedFields.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// The positions of `separator` in `line`, in order, into `stops` (which
// grows with them), and their count; `anyQuote` tells whether a double
// quote stands anywhere.  Sixteen characters are compared at once, so that
// finding a field's end costs no guess per character.
size_t FindStops(std::string_view line, char separator, std::vector<size_t>& stops, bool& anyQuote)
{
    size_t count = 0;
    const auto roomFor16 = [&] {
        if (stops.size() < count + 16) stops.resize(2 * (count + 16));
        return stops.data();
    };
    size_t at = 0;
    anyQuote = false;
#ifdef __SSE2__
    const __m128i separators = _mm_set1_epi8(separator);
    const __m128i quotes = _mm_set1_epi8('"');
    unsigned quoteBits = 0;
    const auto scan = [&](const char* block, size_t from, unsigned valid) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block));
        unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, separators))) & valid;
        quoteBits |= static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, quotes))) & valid;
        size_t* out = roomFor16();
        for (; bits != 0; bits &= bits - 1) out[count++] = from + static_cast<size_t>(std::countr_zero(bits));
    };
    for (; at + 16 <= line.size(); at += 16) scan(line.data() + at, at, 0xFFFFu);
    if (at < line.size()) {
        char tail[16] = {};
        std::memcpy(tail, line.data() + at, line.size() - at);
        scan(tail, at, (1u << (line.size() - at)) - 1);
    }
    anyQuote = quoteBits != 0;
#else
    for (; at < line.size(); ++at) {
        if (line[at] == separator) roomFor16()[count++] = at;
        anyQuote |= line[at] == '"';
    }
#endif
    return count;
}

bool HoldsQuote(std::string_view text)
{
    for (const char c : text)
        if (c == '"') return true;
    return false;
}

}  // namespace

bool FieldSplitter::Split(std::string_view line, std::vector<std::string_view>& fields, std::size_t limit)
{
    bool anyQuote = false;
    const size_t stopCount = FindStops(line, separator_, stops_, anyQuote);
    // A field before each separator, and one after the last unless it ends the line.
    const bool endsWithSeparator = stopCount > 0 && stops_[stopCount - 1] + 1 == line.size();
    const size_t fieldCount = line.empty() || endsWithSeparator ? stopCount : stopCount + 1;
    fields.resize(std::min(limit, fieldCount));
    if (quoting_ && anyQuote)
        return SplitWrapped(line, fields, fieldCount, stopCount) || SplitQuoted(line, fields, limit, stopCount);
    size_t position = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        const size_t stop = i < stopCount ? stops_[i] : line.size();
        fields[i] = Trim(line.substr(position, stop - position));
        position = stop + 1;
    }
    return true;
}

// The usual quoted line: each field that starts with a double quote ends
// with the one that closes it, with none between, and no field starts with
// white space followed by a quote (quotes inside other fields are text).
// Such a line cuts at every separator; any other is left to SplitQuoted.
bool FieldSplitter::SplitWrapped(std::string_view line, std::vector<std::string_view>& fields, size_t fieldCount,
                                 size_t stopCount)
{
    size_t position = 0;
    for (size_t i = 0; i < fieldCount; ++i) {
        const size_t stop = i < stopCount ? stops_[i] : line.size();
        std::string_view field = line.substr(position, stop - position);
        if (!field.empty() && field.front() == '"') {
            if (field.size() < 2 || field.back() != '"') return false;
            field = field.substr(1, field.size() - 2);
            if (HoldsQuote(field)) return false;
        } else {
            if (!field.empty() && IsCSpace(field.front()) && HoldsQuote(field)) return false;
            field = Trim(field);
        }
        if (i < fields.size()) fields[i] = field;
        position = stop + 1;
    }
    return true;
}

bool FieldSplitter::SplitQuoted(std::string_view line, std::vector<std::string_view>& fields, std::size_t limit,
                                size_t stopCount)
{
    // Room for every field the separators allow, cut to those found.
    fields.resize(std::min(limit, stopCount + 1));
    size_t count = 0;
    const auto add = [&](std::string_view field) {
        if (count < fields.size()) fields[count++] = field;
    };
    unquoted_.clear();
    unquoted_.reserve(line.size());
    size_t next = 0;  // the first of stops_ not yet passed
    const auto stopFrom = [&](size_t from) {
        while (next < stopCount && stops_[next] < from) ++next;
        return next < stopCount ? stops_[next] : line.size();
    };
    size_t position = 0;
    while (position < line.size()) {
        size_t quote = position;
        while (quote < line.size() && IsCSpace(line[quote]) && line[quote] != separator_) ++quote;
        if (quote == line.size() || line[quote] != '"') {
            const size_t stop = stopFrom(quote);
            add(Trim(line.substr(position, stop - position)));
            position = stop + 1;
            continue;
        }
        const size_t first = quote + 1;
        bool doubled = false;
        const size_t close = ClosingQuote(line, quote, doubled);
        if (close == std::string_view::npos) {
            fields.resize(count);
            return false;
        }
        const size_t stop = stopFrom(close + 1);
        const std::string_view after = Trim(line.substr(close + 1, stop - close - 1));
        std::string_view field = line.substr(first, close - first);
        if (count < fields.size() && (doubled || !after.empty())) {
            const size_t begin = unquoted_.size();
            for (size_t i = 0; i < field.size(); ++i) {
                unquoted_ += field[i];
                if (field[i] == '"') ++i;
            }
            unquoted_.append(after);
            field = std::string_view(unquoted_).substr(begin);
        }
        add(field);
        position = stop + 1;
    }
    fields.resize(count);
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
