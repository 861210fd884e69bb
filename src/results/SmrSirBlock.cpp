#include "results/ReportBlocks.h"

namespace kalderon {

// The SMR/SIR of a group from the last six values of its result vector:
// ratio, lower and upper limit, observed and expected events, person-years.
void WriteSmrSirBlock(ResultTextWriter& out, const CAnalysisData& data, const CGroupResult& group)
{
    const std::vector<double>& v = group.expectedInterval;
    if (v.size() < 6) {
        out.Append(text::kSmrComputationError);
        return;
    }
    const size_t n = v.size();
    const double ratio = v[n - 6], lower = v[n - 5], upper = v[n - 4];
    const int observed = static_cast<int>(v[n - 3]);
    const double expected = v[n - 2], personYears = v[n - 1];

    out.Append(FormatText(text::kSmrColumns, data.ciLevelText));
    out.ExportHeader(text::kSmrExportHeader);
    if (ratio == -1.0)
        out.UncountedRow("%7d      %8.6f      -          -          -\n\n", "%d;%f;;;;%.2f\n", observed, expected,
                         personYears);
    else
        out.UncountedRow("%7d      %8.6f   %8.6f   %8.6f   %8.6f\n\n", "%d;%.6f;%.6f;%.6f;%.6f;%.2f\n", observed,
                         expected, ratio, lower, upper, personYears);
    out.Append(FormatText(text::kSmrPersonYears, personYears));
}

}  // namespace kalderon
