#include "results/GrayTestSection.h"

#include "common/TextFormat.h"
#include "resources/Texts.h"
#include "stats/CauseTally.h"

namespace kalderon {

GrayTestTexts WriteGrayTestSection(const CAnalysisData& data)
{
    GrayTestTexts texts;
    if (data.grayTests.empty()) return texts;
    texts.report = "\r\n";
    texts.report += text::kGrayTestHeading;
    texts.report += text::kGrayTestColumns;
    texts.report += text::kGrayTestRule;
    texts.exportText.Append("\n");
    texts.exportText.Append(text::kGrayTestExportHeader);
    for (const CGrayTest& test : data.grayTests) {
        const std::string codes = CauseCodes(data, test.cause);
        if (!test.computed) {
            texts.report += FormatText("%-20s  %s\r\n", codes, text::kGrayTestSingular);
            texts.exportText.Append(FormatText("%s;NA;%d;NA\n", codes, test.degreesOfFreedom));
            continue;
        }
        const std::string p = test.pValue < 0.0001 ? std::string(text::kSmallPValue) : FormatText("%.4f", test.pValue);
        texts.report += FormatText("%-20s  %10.4f  %4d  %11s\r\n", codes, test.statistic, test.degreesOfFreedom, p);
        texts.exportText.Append(
            FormatText("%s;%.10g;%d;%.10g\n", codes, test.statistic, test.degreesOfFreedom, test.pValue));
    }
    return texts;
}

}  // namespace kalderon
