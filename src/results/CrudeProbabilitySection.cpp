#include "results/CrudeProbabilitySection.h"

#include "common/TextFormat.h"
#include "resources/StringTable.h"
#include "resources/Texts.h"

namespace kalderon {

ReportSection WriteCrudeProbabilitySection(const std::vector<CrudeProbabilityGroup>& groups)
{
    ReportSection texts;
    std::string& out = texts.report;
    out = "\r\n\r\n";
    out += text::kCrudeHeading;
    out += text::kCrudeMethod;

    ExportText& csv = texts.exportText;
    const bool groupColumn = groups.size() > 1;
    csv.Append("\n");
    csv.BeginTable(text::kWorkbookCrude, text::kCrudeExportHeader, groupColumn);

    for (const CrudeProbabilityGroup& group : groups) {
        out += "\r\n";
        if (groupColumn) {
            out += FormatText(LoadString(690), group.code);
            csv.BeginGroup(group.code);
        }
        out += text::kCrudeLevelLine;
        out += text::kCrudeColumns;
        out += text::kCrudeRule;
        for (const CrudeProbabilityRow& r : group.rows) {
            out += FormatText("%8d  %10f  %10f  %10f  %10f  %10f\r\n", r.intervalNumber, r.disease,
                              r.diseaseStandardError, r.otherCauses, r.otherCausesStandardError, r.allCauses);
            csv.AppendTableRow(ExportRow()
                                   .Integer(r.intervalNumber)
                                   .Number("%f", r.disease)
                                   .Number("%f", r.diseaseStandardError)
                                   .Number("%f", r.otherCauses)
                                   .Number("%f", r.otherCausesStandardError)
                                   .Number("%f", r.allCauses));
        }
    }
    return texts;
}

}  // namespace kalderon
