#include "results/StandardisedSection.h"

#include <array>
#include <cmath>
#include <functional>

#include "common/TextFormat.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

void AddEstimate(ExportRow& row, const AgeGroupEstimate& e)
{
    row.Number("%.6f", e.value, e.available);
    row.Number("%.6f", e.standardError, e.available && !std::isnan(e.standardError));
}

std::string Value(const AgeGroupEstimate& e, bool standardError)
{
    if (!e.available || (standardError && std::isnan(e.standardError))) return "NA";
    return FormatText("%.6f", standardError ? e.standardError : e.value);
}

// The lines a group's table begins with (after its under-age line), by method.
using GroupNotes = std::function<std::string(const StandardisedGroup&)>;

std::string BrennerNotes(const StandardisedGroup& group, const BrennerSectionStyle& s)
{
    if (group.weightsUndefined) return text::kBrennerWeightsUndefined;
    if (group.netUnstableFromDay < 0) return {};
    return FormatText(s.netSurvivalRaw ? text::kNetSurvivalUnstableRawNote : text::kNetSurvivalUnstableNote,
                      group.netUnstableFromDay / s.unitDays, s.unitName);
}

ReportSection WriteSection(const std::vector<StandardisedGroup>& groups, std::int32_t standard,
                               const char* methods, const char* weightsExportName, const GroupNotes& notes)
{
    const IcssWeights& weights = WeightsOfIcss(standard);
    ReportSection texts;
    std::string& out = texts.report;
    out = "\r\n\r\n";
    out += FormatText(text::kStandardisedHeading, static_cast<int>(standard));
    out += FormatText(text::kStandardisedWeights, weights[0], weights[1], weights[2], weights[3], weights[4]);
    out += methods;

    ExportText& csv = texts.exportText;
    const bool groupColumn = groups.size() > 1;
    csv.BeginTable(text::kWorkbookStandardWeights, text::kStandardisedWeightsExportHeader);
    ExportRow weightsRow;
    weightsRow.Text(FormatText(weightsExportName, static_cast<int>(standard)));
    for (const double weight : weights) weightsRow.Number("%.2f", weight);
    csv.AppendTableRow(weightsRow);
    csv.BeginTable(text::kWorkbookStandardised, text::kStandardisedExportHeader, groupColumn);

    for (const StandardisedGroup& group : groups) {
        const std::string underAge = std::to_string(group.underAge);
        out += "\r\n";
        out += group.heading;
        out += FormatText(text::kStandardisedUnderAge, underAge);
        if (notes) out += notes(group);
        out += text::kStandardisedColumns;
        if (groupColumn) csv.BeginGroup(group.code);
        for (const StandardisedInterval& row : group.intervals) {
            const int number = static_cast<int>(row.intervalNumber);
            const std::array<std::string, 6> v = {Value(row.observed, false), Value(row.observed, true),
                                                  Value(row.relative, false), Value(row.relative, true),
                                                  Value(row.net, false),      Value(row.net, true)};
            out += FormatText("%8d  %10s  %10s  %10s  %10s  %10s  %10s\r\n", number, v[0], v[1], v[2], v[3], v[4],
                              v[5]);
            ExportRow exportRow;
            exportRow.Integer(number).Integer(group.underAge);
            AddEstimate(exportRow, row.observed);
            AddEstimate(exportRow, row.relative);
            AddEstimate(exportRow, row.net);
            csv.AppendTableRow(exportRow);
        }
    }
    return texts;
}

}  // namespace

ReportSection WriteStandardisedSection(const std::vector<StandardisedGroup>& groups, std::int32_t standard)
{
    return WriteSection(groups, standard, text::kStandardisedMethods, text::kStandardisedWeightsExportName, {});
}

ReportSection WriteBrennerSection(const std::vector<StandardisedGroup>& groups, std::int32_t standard,
                                      const BrennerSectionStyle& style)
{
    return WriteSection(groups, standard,
                        style.lifeTable ? text::kBrennerMethodsLifeTable : text::kBrennerMethodsProductLimit,
                        text::kBrennerWeightsExportName,
                        [&style](const StandardisedGroup& group) { return BrennerNotes(group, style); });
}

}  // namespace kalderon
