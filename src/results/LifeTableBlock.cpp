#include "results/ReportBlocks.h"

namespace kalderon {
namespace {

void WriteObservedRow(ReportWriter& out, const CIntervalCounts& c, const CIntervalResult& r)
{
    if (r.hasStandardError) {
        out.TableRow(FormatText(LoadString(613), r.intervalNumber, c.entered, c.dead, c.censored, r.exposedToRisk,
                                r.intervalSurvival, r.cumulativeSurvival, r.standardError, r.lowerLimit,
                                r.upperLimit),
                     FormatText("%d;%d;%d;%d;%.1f;%f;%f;%f;%f;%f\n", r.intervalNumber, c.entered, c.dead,
                                c.censored, r.exposedToRisk, r.intervalSurvival, r.cumulativeSurvival,
                                r.standardError, r.lowerLimit, r.upperLimit));
    } else {
        out.TableRow(FormatText(LoadString(614), r.intervalNumber, c.entered, c.dead, c.censored, r.exposedToRisk,
                                r.intervalSurvival, r.cumulativeSurvival),
                     FormatText("%d;%d;%d;%d;%.1f;%f;%f;NA;NA;NA\n", r.intervalNumber, c.entered, c.dead,
                                c.censored, r.exposedToRisk, r.intervalSurvival, r.cumulativeSurvival));
    }
}

}  // namespace

// The life table of a group: one row per interval up to the first one that
// nobody entered.  Only observed survival is written so far; the variant
// with expected and relative survival (strings 615 to 619, 667 to 669) is
// not, so a record with relative survival gets no table.
void WriteLifeTableBlock(ReportWriter& out, const CAnalysisData& data, const CGroupResult& group)
{
    if (data.relativeSurvival) return;

    out.AppendString(610, group.intervalTable.ciLevelText);
    out.AppendString(StringForUnit(data.timeUnit, 611, 664, 665, 666));
    out.AppendString(612);
    out.ExportHeader(text::kLifeTableExportHeader);

    const std::vector<CIntervalResult>& rows = group.intervalTable.rows;
    for (size_t j = 0; j < group.countsAll.size() && j < rows.size(); ++j) {
        const CIntervalCounts& c = group.countsAll[j];
        if (c.entered < 1) break;
        WriteObservedRow(out, c, rows[j]);
    }
}

}  // namespace kalderon
