#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kalderon {

class ByteReader;
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

// Reads the body (everything between the two signatures) into the chart.
// Fails on a file that ends early or whose counts exceed what it holds, and
// on values a drawing cannot use: a series count that differs from the
// series records or exceeds the groups, an axis range that is not drawable.
bool ReadChartBody(ByteReader& reader, LifeTableChart& chart);

// Checks both signatures around the body; the chart is only changed when
// the result is kOk, which also clears its modifiedFlag.
ChartFileStatus ParseChartFile(std::string_view bytes, LifeTableChart& chart);

}  // namespace kalderon
