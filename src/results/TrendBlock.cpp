#include "results/ReportBlocks.h"

namespace kalderon {

// One line per starting year of period.  A period without exposure at its
// end shows the exposure at its start (stored negated) and 0.0.
void WriteTrendBlock(ResultTextWriter& out, const CAnalysisData& data, const CGroupResult& group)
{
    const CIntervalResultTable& table = group.intervalTable;
    const bool relative = data.relativeSurvival != 0;
    const int n = data.survivalYears;
    out.AppendString(631, data.periodWidth);
    out.AppendString(632);
    if (relative) {
        out.AppendHeading(680, n, n, n, table.ciLevelText);
        out.AppendHeading(681);
        out.AppendHeading(682);
        out.ExportHeader(FormatText(text::kRelativeTrendExportHeader, n, n, n));
    } else {
        out.AppendString(633, n, table.ciLevelText);
        out.AppendString(634);
        out.AppendString(635);
        out.ExportHeader(FormatText(text::kTrendExportHeader, n));
    }

    for (const CIntervalResult& r : table.rows) {
        if (relative && r.exposedToRisk > 0 && !r.hasRelativeSurvival)
            out.TableRow(text::kTrendRowWithoutNet, "%d;%.1f;%.1f;%f;%f;NA;NA;NA;NA\n", r.intervalNumber, r.reserved,
                         r.exposedToRisk, r.cumulativeSurvival, r.expectedSurvival);
        else if (relative && r.exposedToRisk > 0 && r.hasStandardError)
            out.TableRow(LoadString(683), "%d;%.1f;%.1f;%f;%f;%f;%f;%f;%f\n", r.intervalNumber, r.reserved,
                         r.exposedToRisk, r.cumulativeSurvival, r.expectedSurvival, r.relativeSurvival,
                         r.standardError, r.lowerLimit, r.upperLimit);
        else if (relative && r.exposedToRisk > 0)
            out.TableRow(LoadString(684), "%d;%.1f;%.1f;%f;%f;%f;NA;NA;NA\n", r.intervalNumber, r.reserved,
                         r.exposedToRisk, r.cumulativeSurvival, r.expectedSurvival, r.relativeSurvival);
        else if (relative)
            out.TableRow(LoadString(685), "%d;%.1f;%.1f;NA;;;;;\n", r.intervalNumber, -r.reserved, 0.0);
        else if (r.exposedToRisk > 0 && r.hasStandardError)
            out.TableRow(LoadString(636), "%d;%.1f;%.1f;%f;%f;%f;%f\n", r.intervalNumber, r.reserved,
                         r.exposedToRisk, r.cumulativeSurvival, r.standardError, r.lowerLimit, r.upperLimit);
        else if (r.exposedToRisk > 0)
            out.TableRow(LoadString(637), "%d;%.1f;%.1f;%f;NA;NA;NA\n", r.intervalNumber, r.reserved,
                         r.exposedToRisk, r.cumulativeSurvival);
        else
            out.TableRow(LoadString(638), "%d;%.1f;%.1f;NA;;;\n", r.intervalNumber, -r.reserved, 0.0);
    }
}

}  // namespace kalderon
