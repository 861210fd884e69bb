#include "results/ReportBlocks.h"

namespace kalderon {

void WritePeriodLines(ResultTextWriter& out, const CAnalysisData& data)
{
    out.Append(data.periodBegin.format(LoadString(620).c_str()));
    out.Append(data.periodEnd.format(LoadString(621).c_str()));
    out.Append("\r\n");
}

// The two count blocks, their difference and the rows computed from it; when
// the computation stopped at an interval still entered at the period end,
// the stop line with that interval's counts ends the table.
void WritePeriodLifeTableBlock(ResultTextWriter& out, const CAnalysisData& data, const CGroupResult& group)
{
    const bool relative = data.relativeSurvival != 0;
    WritePeriodLines(out, data);
    const TableHeading relativeHeading{670, {671, 672, 673, 674}, 675, text::kRelativePeriodLifeTableExportHeader};
    const TableHeading observedHeading{622, {623, 624, 625, 626}, 627, text::kPeriodLifeTableExportHeader};
    WriteTableHeading(out, relative ? relativeHeading : observedHeading, group.intervalTable.ciLevelText,
                      data.timeUnit);

    const std::vector<CIntervalResult>& rows = group.intervalTable.rows;
    for (size_t j = 0; j < group.countsAtPeriodBegin.size() && j < group.countsAtPeriodEnd.size(); ++j) {
        const CIntervalCounts& b = group.countsAtPeriodBegin[j];
        const CIntervalCounts& e = group.countsAtPeriodEnd[j];
        const CIntervalCounts d = e - b;
        if (e.entered < 1) break;
        if (j >= rows.size()) {
            const int number = static_cast<int>(j + 1);
            const double exposed = d.entered - d.censored / 2;
            out.UncountedRow(LoadString(630),
                             relative ? "%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%.1f;;;;;;;\n"
                                      : "%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%.1f;;;;;\n",
                             number, b.entered, b.dead, b.censored, e.entered, e.dead, e.censored, d.entered, d.dead,
                             d.censored, exposed);
            break;
        }
        const CIntervalResult& r = rows[j];
        if (relative && !r.hasRelativeSurvival)
            out.TableRow(text::kPeriodLifeTableRowWithoutNet, "%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%.1f;%f;%f;%f;NA;NA;NA;NA\n",
                         r.intervalNumber, b.entered, b.dead, b.censored, e.entered, e.dead, e.censored, d.entered,
                         d.dead, d.censored, r.exposedToRisk, r.intervalSurvival, r.cumulativeSurvival,
                         r.expectedSurvival);
        else if (relative && r.hasStandardError)
            out.TableRow(LoadString(676), "%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%.1f;%f;%f;%f;%f;%f;%f;%f\n",
                         r.intervalNumber, b.entered, b.dead, b.censored, e.entered, e.dead, e.censored, d.entered,
                         d.dead, d.censored, r.exposedToRisk, r.intervalSurvival, r.cumulativeSurvival,
                         r.expectedSurvival, r.relativeSurvival, r.standardError, r.lowerLimit, r.upperLimit);
        else if (relative)
            out.TableRow(LoadString(677), "%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%.1f;%f;%f;%f;%f;NA;NA;NA\n",
                         r.intervalNumber, b.entered, b.dead, b.censored, e.entered, e.dead, e.censored, d.entered,
                         d.dead, d.censored, r.exposedToRisk, r.intervalSurvival, r.cumulativeSurvival,
                         r.expectedSurvival, r.relativeSurvival);
        else if (r.hasStandardError)
            out.TableRow(LoadString(628), "%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%.1f;%f;%f;%f;%f;%f\n", r.intervalNumber,
                         b.entered, b.dead, b.censored, e.entered, e.dead, e.censored, d.entered, d.dead, d.censored,
                         r.exposedToRisk, r.intervalSurvival, r.cumulativeSurvival, r.standardError, r.lowerLimit,
                         r.upperLimit);
        else
            out.TableRow(LoadString(629), "%d;%d;%d;%d;%d;%d;%d;%d;%d;%d;%.1f;%f;%f;NA;NA;NA\n", r.intervalNumber,
                         b.entered, b.dead, b.censored, e.entered, e.dead, e.censored, d.entered, d.dead, d.censored,
                         r.exposedToRisk, r.intervalSurvival, r.cumulativeSurvival);
    }
}

}  // namespace kalderon
