#include "results/GrayTestSection.h"

#include "common/TextFormat.h"
#include "resources/Texts.h"
#include "stats/CauseTally.h"

namespace kalderon {

ReportSection WriteGrayTestSection(const CAnalysisData& data)
{
    ReportSection texts;
    if (data.grayTests.empty()) return texts;
    texts.report = "\r\n";
    texts.report += text::kGrayTestHeading;
    texts.report += text::kGrayTestColumns;
    texts.report += text::kGrayTestRule;
    texts.exportText.Append("\n");
    texts.exportText.BeginTable(text::kWorkbookGrayTests, text::kGrayTestExportHeader);
    for (const CGrayTest& test : data.grayTests) {
        const std::string codes = CauseCodes(data, test.cause);
        if (!test.computed) {
            texts.report += FormatText("%-20s  %s\r\n", codes, text::kGrayTestSingular);
            texts.exportText.AppendTableRow(ExportRow().Text(codes).Text("NA").Integer(test.degreesOfFreedom).Text("NA"));
            continue;
        }
        const std::string p = test.pValue < 0.0001 ? std::string(text::kSmallPValue) : FormatText("%.4f", test.pValue);
        texts.report += FormatText("%-20s  %10.4f  %4d  %11s\r\n", codes, test.statistic, test.degreesOfFreedom, p);
        texts.exportText.AppendTableRow(ExportRow()
                                            .Text(codes)
                                            .Number("%.10g", test.statistic)
                                            .Integer(test.degreesOfFreedom)
                                            .Number("%.10g", test.pValue));
    }
    return texts;
}

}  // namespace kalderon
