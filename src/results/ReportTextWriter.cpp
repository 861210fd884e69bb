#include "results/ReportTextWriter.h"

#include <utility>

namespace kalderon {

void ReportTextWriter::AppendReportLine(const std::string& format, const PrintfValue* values, size_t count,
                                        bool reworded)
{
    std::string line;
    if (count == 0)
        line = format;
    else
        AppendPrintf(line, format.c_str(), values, count);
    report_ += reworded ? Reworded(std::move(line)) : line;
}

}  // namespace kalderon
