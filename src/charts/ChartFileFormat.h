#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kalderon {

class LifeTableChart;

// Outcome of reading a chart file; the non-zero values are the numbers of
// their messages in the string table.
enum class ChartFileStatus : int {
    kOk = 0,
    kCannotOpen = 831,
    kNotAChartFile = 832,
    kWrongFormat = 833,
};

// The whole file: signature, body, signature.
std::string SerializeChart(const LifeTableChart& chart);
// The same bytes handed to `sink` in pieces, never held whole.
void SerializeChart(const LifeTableChart& chart, const std::function<void(std::string_view)>& sink);

// Checks both signatures around the body; the chart is only changed when
// the result is kOk, which also clears its modifiedFlag.
ChartFileStatus ParseChartFile(std::string_view bytes, LifeTableChart& chart);

}  // namespace kalderon
