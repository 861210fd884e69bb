#include "results/ReportBlocks.h"
#include "stats/TimeUnit.h"

namespace kalderon {

// One line per time point, the survival time in the analysis unit (whole
// days without decimals); censored cases show only their time.
void WriteProductLimitBlock(ResultTextWriter& out, const CAnalysisData& data, const CGroupResult& group,
                            bool periodLines)
{
    const bool relative = data.relativeSurvival != 0;
    if (periodLines) WritePeriodLines(out, data);
    const TableHeading relativeHeading{652, {653, 654, 655, 656}, 657, text::kRelativeProductLimitExportHeader};
    const TableHeading observedHeading{640, {641, 642, 643, 644}, 645, text::kProductLimitExportHeader};
    WriteTableHeading(out, relative ? relativeHeading : observedHeading, data.ciLevelText, data.timeUnit);

    const bool days = data.timeUnit == kUnitDay;
    const double unitDays = UnitDays(data.timeUnit);
    const std::string timeFormat = days ? "%.0f" : "%f";
    const auto report = [days](int dayLine, int otherLine) { return PreparedFormat(LoadString(days ? dayLine : otherLine)); };
    const PreparedFormat censoredReport = report(663, 662), relativeReport = report(659, 658),
                         relativeNoErrorReport = report(661, 660), observedCensoredReport = report(651, 650),
                         observedReport = report(647, 646), observedNoErrorReport = report(649, 648);
    const PreparedFormat censoredExport(timeFormat + ";;;;;;;;\n");
    const PreparedFormat relativeExport(timeFormat + ";%.0f;%f;%f;%f;%f;%f;%f;%f\n");
    const PreparedFormat relativeNoErrorExport(timeFormat + ";%.0f;%f;%f;%f;%f;NA;NA;NA\n");
    const PreparedFormat withoutNetReport(days ? text::kProductLimitDayRowWithoutNet : text::kProductLimitRowWithoutNet);
    const PreparedFormat withoutNetExport(timeFormat + ";%.0f;%f;%f;%f;NA;NA;NA;NA\n");
    const PreparedFormat observedCensoredExport(timeFormat + ";;;;;;\n");
    const PreparedFormat observedExport(timeFormat + ";%.0f;%f;%f;%f;%f;%f\n");
    const PreparedFormat observedNoErrorExport(timeFormat + ";%.0f;%f;%f;NA;NA;NA\n");
    for (const CTimePointResult& t : group.timePoints) {
        const double time = t.survivalDays / unitDays;
        if (relative && t.statusText != data.eventCode) {
            out.TableRow(censoredReport, censoredExport, time);
        } else if (relative && !t.hasRelativeSurvival) {
            out.TableRow(withoutNetReport, withoutNetExport, time, t.atRisk, t.proportionSurviving,
                         t.cumulativeSurvival, t.expectedSurvival);
        } else if (relative && t.hasStandardError) {
            out.TableRow(relativeReport, relativeExport, time, t.atRisk, t.proportionSurviving, t.cumulativeSurvival,
                         t.expectedSurvival, t.relativeSurvival, t.standardError, t.lowerLimit, t.upperLimit);
        } else if (relative) {
            out.TableRow(relativeNoErrorReport, relativeNoErrorExport, time, t.atRisk, t.proportionSurviving,
                         t.cumulativeSurvival, t.expectedSurvival, t.relativeSurvival);
        } else if (t.statusText != data.eventCode) {
            out.TableRow(observedCensoredReport, observedCensoredExport, time);
        } else if (t.hasStandardError) {
            out.TableRow(observedReport, observedExport, time, t.atRisk, t.proportionSurviving, t.cumulativeSurvival,
                         t.standardError, t.lowerLimit, t.upperLimit);
        } else {
            out.TableRow(observedNoErrorReport, observedNoErrorExport, time, t.atRisk, t.proportionSurviving,
                         t.cumulativeSurvival);
        }
    }
}

}  // namespace kalderon
