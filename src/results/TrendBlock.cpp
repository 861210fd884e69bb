#include "results/ReportBlocks.h"

namespace kalderon {

// One line per starting year of period.  A period without exposure at its
// end shows the exposure at its start (stored negated) and 0.0.
void WriteTrendBlock(ReportWriter& out, const CAnalysisData& data, const CGroupResult& group)
{
    const CIntervalResultTable& table = group.intervalTable;
    out.AppendString(631, data.periodWidth);
    out.AppendString(632);
    out.AppendString(633, data.survivalYears, table.ciLevelText);
    out.AppendString(634);
    out.AppendString(635);
    out.ExportHeader(FormatText(text::kTrendExportHeader, data.survivalYears));

    for (const CIntervalResult& r : table.rows) {
        if (r.exposedToRisk > 0 && r.hasStandardError) {
            out.TableRow(FormatText(LoadString(636), r.intervalNumber, r.reserved, r.exposedToRisk,
                                    r.cumulativeSurvival, r.standardError, r.lowerLimit, r.upperLimit),
                         FormatText("%d;%.1f;%.1f;%f;%f;%f;%f\n", r.intervalNumber, r.reserved, r.exposedToRisk,
                                    r.cumulativeSurvival, r.standardError, r.lowerLimit, r.upperLimit));
        } else if (r.exposedToRisk > 0) {
            out.TableRow(FormatText(LoadString(637), r.intervalNumber, r.reserved, r.exposedToRisk,
                                    r.cumulativeSurvival),
                         FormatText("%d;%.1f;%.1f;%f;NA;NA;NA\n", r.intervalNumber, r.reserved, r.exposedToRisk,
                                    r.cumulativeSurvival));
        } else {
            out.TableRow(FormatText(LoadString(638), r.intervalNumber, -r.reserved, 0.0),
                         FormatText("%d;%.1f;%.1f;NA;;;\n", r.intervalNumber, -r.reserved, 0.0));
        }
    }
}

}  // namespace kalderon
