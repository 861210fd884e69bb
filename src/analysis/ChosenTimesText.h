#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalderon {

// A time written as a decimal number in the C conventions ("5", "2.5"),
// spaces around it allowed; none for anything else.
std::optional<double> ParseTimeText(std::string_view text);

// Times separated by commas ("1, 3, 5, 10"); none when one of them is no
// number or there is none.
std::optional<std::vector<double>> ParseTimeList(std::string_view text);

// A time in the fewest digits ParseTimeText reads back as the same number.
std::string ExactTimeText(double time);

// The times as ParseTimeList reads them back: "1, 3, 5, 10".
std::string FormatTimeList(const std::vector<double>& times);

}  // namespace kalderon
