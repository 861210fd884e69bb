#include "results/ReportBlocks.h"
#include "stats/TimeUnit.h"

namespace kalderon {

// One line per time point, the survival time in the analysis unit (whole
// days without decimals); censored cases show only their time.
void WriteProductLimitBlock(ReportWriter& out, const CAnalysisData& data, const CGroupResult& group,
                            bool periodLines)
{
    const bool relative = data.relativeSurvival != 0;
    if (periodLines) WritePeriodLines(out, data);
    const TableHeading relativeHeading{652, {653, 654, 655, 656}, 657, text::kRelativeProductLimitExportHeader};
    const TableHeading observedHeading{640, {641, 642, 643, 644}, 645, text::kProductLimitExportHeader};
    WriteTableHeading(out, relative ? relativeHeading : observedHeading, data.ciLevelText, data.timeUnit);

    const bool days = data.timeUnit == kUnitDay;
    const double unitDays = UnitDays(data.timeUnit);
    const char* timeFormat = days ? "%.0f" : "%f";
    for (const CTimePointResult& t : group.timePoints) {
        const double time = t.survivalDays / unitDays;
        if (relative && t.statusText != data.eventCode) {
            out.TableRow(FormatText(LoadString(days ? 663 : 662), time),
                         FormatText(std::string(timeFormat) + ";;;;;;;;\n", time));
        } else if (relative && t.hasStandardError) {
            out.TableRow(FormatText(LoadString(days ? 659 : 658), time, t.atRisk, t.proportionSurviving,
                                    t.cumulativeSurvival, t.expectedSurvival, t.relativeSurvival, t.standardError,
                                    t.lowerLimit, t.upperLimit),
                         FormatText(std::string(timeFormat) + ";%.0f;%f;%f;%f;%f;%f;%f;%f\n", time, t.atRisk,
                                    t.proportionSurviving, t.cumulativeSurvival, t.expectedSurvival,
                                    t.relativeSurvival, t.standardError, t.lowerLimit, t.upperLimit));
        } else if (relative) {
            out.TableRow(FormatText(LoadString(days ? 661 : 660), time, t.atRisk, t.proportionSurviving,
                                    t.cumulativeSurvival, t.expectedSurvival, t.relativeSurvival),
                         FormatText(std::string(timeFormat) + ";%.0f;%f;%f;%f;%f;NA;NA;NA\n", time, t.atRisk,
                                    t.proportionSurviving, t.cumulativeSurvival, t.expectedSurvival,
                                    t.relativeSurvival));
        } else if (t.statusText != data.eventCode) {
            out.TableRow(FormatText(LoadString(days ? 651 : 650), time),
                         FormatText(std::string(timeFormat) + ";;;;;;\n", time));
        } else if (t.hasStandardError) {
            out.TableRow(FormatText(LoadString(days ? 647 : 646), time, t.atRisk, t.proportionSurviving,
                                    t.cumulativeSurvival, t.standardError, t.lowerLimit, t.upperLimit),
                         FormatText(std::string(timeFormat) + ";%.0f;%f;%f;%f;%f;%f\n", time, t.atRisk,
                                    t.proportionSurviving, t.cumulativeSurvival, t.standardError, t.lowerLimit,
                                    t.upperLimit));
        } else {
            out.TableRow(FormatText(LoadString(days ? 649 : 648), time, t.atRisk, t.proportionSurviving,
                                    t.cumulativeSurvival),
                         FormatText(std::string(timeFormat) + ";%.0f;%f;%f;NA;NA;NA\n", time, t.atRisk,
                                    t.proportionSurviving, t.cumulativeSurvival));
        }
    }
}

}  // namespace kalderon
