#include "results/ReportBlocks.h"

namespace kalderon {
namespace {

void WriteObservedRow(ResultTextWriter& out, const CIntervalCounts& c, const CIntervalResult& r)
{
    if (r.hasStandardError)
        out.TableRow(LoadString(613), "%d;%d;%d;%d;%.1f;%f;%f;%f;%f;%f\n", r.intervalNumber, c.entered, c.dead,
                     c.censored, r.exposedToRisk, r.intervalSurvival, r.cumulativeSurvival, r.standardError,
                     r.lowerLimit, r.upperLimit);
    else
        out.TableRow(LoadString(614), "%d;%d;%d;%d;%.1f;%f;%f;NA;NA;NA\n", r.intervalNumber, c.entered, c.dead,
                     c.censored, r.exposedToRisk, r.intervalSurvival, r.cumulativeSurvival);
}

void WriteRelativeRow(ResultTextWriter& out, const CIntervalCounts& c, const CIntervalResult& r)
{
    if (!r.hasRelativeSurvival)
        out.TableRow(text::kLifeTableRowWithoutNet, "%d;%d;%d;%d;%.1f;%f;%f;%f;NA;NA;NA;NA\n", r.intervalNumber,
                     c.entered, c.dead, c.censored, r.exposedToRisk, r.intervalSurvival, r.cumulativeSurvival,
                     r.expectedSurvival);
    else if (r.hasStandardError)
        out.TableRow(LoadString(618), "%d;%d;%d;%d;%.1f;%f;%f;%f;%f;%f;%f;%f\n", r.intervalNumber, c.entered,
                     c.dead, c.censored, r.exposedToRisk, r.intervalSurvival, r.cumulativeSurvival,
                     r.expectedSurvival, r.relativeSurvival, r.standardError, r.lowerLimit, r.upperLimit);
    else
        out.TableRow(LoadString(619), "%d;%d;%d;%d;%.1f;%f;%f;%f;%f;NA;NA;NA\n", r.intervalNumber, c.entered,
                     c.dead, c.censored, r.exposedToRisk, r.intervalSurvival, r.cumulativeSurvival,
                     r.expectedSurvival, r.relativeSurvival);
}

}  // namespace

// The life table of a group: one row per interval up to the first one that
// nobody entered.
void WriteLifeTableBlock(ResultTextWriter& out, const CAnalysisData& data, const CGroupResult& group)
{
    const bool relative = data.relativeSurvival != 0;
    const TableHeading relativeHeading{615, {616, 667, 668, 669}, 617, text::kRelativeLifeTableExportHeader};
    const TableHeading observedHeading{610, {611, 664, 665, 666}, 612, text::kLifeTableExportHeader};
    WriteTableHeading(out, relative ? relativeHeading : observedHeading, group.intervalTable.ciLevelText,
                      data.timeUnit);

    const std::vector<CIntervalResult>& rows = group.intervalTable.rows;
    for (size_t j = 0; j < group.countsAll.size() && j < rows.size(); ++j) {
        const CIntervalCounts& c = group.countsAll[j];
        if (c.entered < 1) break;
        if (relative)
            WriteRelativeRow(out, c, rows[j]);
        else
            WriteObservedRow(out, c, rows[j]);
    }
}

}  // namespace kalderon
