#include "analysis/ChosenTimesText.h"

#include <charconv>
#include <cmath>

#include "common/TextFormat.h"

namespace kalderon {

std::optional<double> ParseTimeText(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    double value = 0.0;
    const auto [rest, code] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || code != std::errc() || rest != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::vector<double>> ParseTimeList(std::string_view text)
{
    std::vector<double> times;
    for (;;) {
        const size_t comma = text.find(',');
        const std::optional<double> time = ParseTimeText(text.substr(0, comma));
        if (!time) return std::nullopt;
        times.push_back(*time);
        if (comma == std::string_view::npos) return times;
        text.remove_prefix(comma + 1);
    }
}

std::string ExactTimeText(double time)
{
    char text[32];
    const auto [end, code] = std::to_chars(text, text + sizeof text, time);
    return code == std::errc() ? std::string(text, end) : FormatText("%.17g", time);
}

std::string FormatTimeList(const std::vector<double>& times)
{
    std::string list;
    for (const double time : times) list += (list.empty() ? "" : ", ") + FormatText("%.10g", time);
    return list;
}

}  // namespace kalderon
