#include "import/DatePattern.h"

#include "import/CharClass.h"

namespace kalderon {
namespace {

// The leading decimal number of the `length` characters at `position`, read
// like atoi: white space, an optional sign, then digits.  0 when the position
// lies outside the text.
int ReadPiece(std::string_view text, std::size_t position, std::size_t length)
{
    if (position >= text.size()) return 0;
    const std::string_view piece = text.substr(position, length);
    std::size_t i = 0;
    while (i < piece.size() && IsCSpace(piece[i])) ++i;
    bool negative = false;
    if (i < piece.size() && (piece[i] == '+' || piece[i] == '-')) negative = piece[i++] == '-';
    int value = 0;
    for (; i < piece.size() && piece[i] >= '0' && piece[i] <= '9'; ++i) value = value * 10 + (piece[i] - '0');
    return negative ? -value : value;
}

}  // namespace

DatePattern::DatePattern(std::string_view pattern)
    : day_(pattern.find("DD")), month_(pattern.find("MM")), year_(pattern.find("YYYY"))
{
}

DateValue DatePattern::Read(std::string_view text) const
{
    const int day = day_ == std::string_view::npos ? 15 : ReadPiece(text, day_, 2);
    const int month = ReadPiece(text, month_, 2);
    const int year = ReadPiece(text, year_, 4);
    return DateValue::FromYmd(year, month, day);
}

DateValue ParseDatePattern(std::string_view text, std::string_view pattern)
{
    return DatePattern(pattern).Read(text);
}

bool IsUsableDatePattern(std::string_view pattern)
{
    return pattern.find("MM") != std::string_view::npos && pattern.find("YYYY") != std::string_view::npos;
}

}  // namespace kalderon
