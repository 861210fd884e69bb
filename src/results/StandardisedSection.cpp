#include "results/StandardisedSection.h"

#include <array>
#include <cmath>

#include "common/TextFormat.h"

namespace kalderon {
namespace {

std::string Value(const AgeGroupEstimate& e, bool standardError)
{
    if (!e.available || (standardError && std::isnan(e.standardError))) return "NA";
    return FormatText("%.6f", standardError ? e.standardError : e.value);
}

}  // namespace

StandardisedTexts WriteStandardisedSection(const std::vector<StandardisedGroup>& groups, std::int32_t standard)
{
    const IcssWeights& weights = WeightsOfIcss(standard);
    StandardisedTexts texts;
    std::string& out = texts.report;
    out = "\r\n\r\n";
    out += FormatText("Age-standardised survival, ICSS %d\r\n", static_cast<int>(standard));
    out += FormatText("Weights: 15-44 %.2f, 45-54 %.2f, 55-64 %.2f, 65-74 %.2f, 75+ %.2f\r\n", weights[0], weights[1],
                      weights[2], weights[3], weights[4]);
    out += "Relative survival after Ederer II, net survival after Pohar-Perme\r\n";

    ExportText& csv = texts.exportText;
    const bool groupColumn = groups.size() > 1;
    csv.Append("Standardisation;Weight 15-44;Weight 45-54;Weight 55-64;Weight 65-74;Weight 75+\n");
    csv.Append(FormatText("ICSS %d;%.2f;%.2f;%.2f;%.2f;%.2f\n", static_cast<int>(standard), weights[0], weights[1],
                          weights[2], weights[3], weights[4]));
    if (groupColumn) csv.Append("Group;");
    csv.Append("Interval of follow-up;Cases under 15 left out;Cumulative survival;Standard error;"
               "Cumulative relative survival;Standard error;Cumulative net survival;Standard error\n");

    for (const StandardisedGroup& group : groups) {
        const std::string underAge = std::to_string(group.underAge);
        out += "\r\n";
        out += group.heading;
        out += "Cases under 15 left out: " + underAge + "\r\n";
        out += "Interval    Observed          SE    Relative          SE         Net          SE\r\n";
        if (groupColumn) csv.BeginGroup(group.code);
        for (const StandardisedInterval& row : group.intervals) {
            const int number = static_cast<int>(row.intervalNumber);
            const std::array<std::string, 6> v = {Value(row.observed, false), Value(row.observed, true),
                                                  Value(row.relative, false), Value(row.relative, true),
                                                  Value(row.net, false),      Value(row.net, true)};
            out += FormatText("%8d  %10s  %10s  %10s  %10s  %10s  %10s\r\n", number, v[0], v[1], v[2], v[3], v[4],
                              v[5]);
            const std::string line =
                FormatText("%d;%s;%s;%s;%s;%s;%s;%s\n", number, underAge, v[0], v[1], v[2], v[3], v[4], v[5]);
            if (groupColumn)
                csv.AppendRow(line);
            else
                csv.Append(line);
        }
    }
    return texts;
}

}  // namespace kalderon
