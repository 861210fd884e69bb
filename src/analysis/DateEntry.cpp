#include "analysis/DateEntry.h"

#include <cctype>

namespace kalderon {
namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Reads `minDigits` to `maxDigits` digits from the front of `text`.
bool TakeNumber(std::string_view& text, size_t minDigits, size_t maxDigits, int& value)
{
    size_t n = 0;
    value = 0;
    while (n < text.size() && n < maxDigits && IsDigit(text[n])) value = value * 10 + (text[n++] - '0');
    text.remove_prefix(n);
    return n >= minDigits;
}

bool TakeDot(std::string_view& text)
{
    if (text.empty() || text.front() != '.') return false;
    text.remove_prefix(1);
    return true;
}

}  // namespace

DateValue ParseEnteredDate(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    int day = 0, month = 0, year = 0;
    const bool read = TakeNumber(text, 1, 2, day) && TakeDot(text) && TakeNumber(text, 1, 2, month) && TakeDot(text) &&
                      TakeNumber(text, 4, 4, year) && text.empty();
    return read ? DateValue::FromYmd(year, month, day) : DateValue::Invalid();
}

}  // namespace kalderon
