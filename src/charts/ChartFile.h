#pragma once

#include <string>

#include "charts/ChartFileFormat.h"

namespace kalderon {

class LifeTableChart;

// Saves the chart to path.  An existing file is kept as path + ".BAK"
// (replacing an older backup); at every step both names hold a complete
// file, and a failed write leaves the old file in place.  On success the chart counts as saved
// (modifiedFlag 0); when the file cannot be created or written, false is
// returned and the flag is left as it was.
bool WriteChartFile(LifeTableChart& chart, const std::string& path);

// Reads a chart file into chart.  On success chartPath is the full path of
// the file; on failure the chart is left unchanged.
ChartFileStatus OpenChartFile(const std::string& path, LifeTableChart& chart);

// The message of a failed open, naming the full path of the file.
std::string ChartFileMessage(ChartFileStatus status, const std::string& path);

// The path made absolute against the current directory.
std::string FullPath(const std::string& path);

}  // namespace kalderon
