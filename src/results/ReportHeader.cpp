#include "results/ReportHeader.h"

#include "resources/Texts.h"
#include "stats/CauseTally.h"

namespace kalderon {
namespace {

std::string SexCodingLine(const CAnalysisData& data)
{
    const std::vector<std::string>& codes = data.sexCodes;
    if (codes.size() == 1) {
        if (codes[0] == data.sexCodeFirst) return FormatText(text::kSexCodingMale, data.sexCodeFirst);
        return FormatText(text::kSexCodingFemale, codes[0]);
    }
    // With no sex code at all, there is no female code to name.
    std::string female;
    if (!codes.empty()) female = codes[0] == data.sexCodeFirst ? codes[1] : codes[0];
    return FormatText(text::kSexCodingBoth, data.sexCodeFirst, female);
}

void WriteRelativeSurvivalClosing(ResultTextWriter& out, const CAnalysisData& data)
{
    out.Append("\n");
    if (data.UsesNetSurvival()) {
        out.Append(text::kNetSurvivalTitle);
        out.Append(text::kNetSurvivalMethod);
    } else {
        out.AppendString(691);
    }
    if (data.SurvivalMethod() == ExpectedSurvivalMethod::kHakulinen) {
        const std::string closing = data.closingDate.isValid() ? data.closingDate.format("%d.%m.%Y") : std::string();
        out.AppendString(693, closing);
    } else {
        out.AppendString(692);
    }
    out.AppendString(694);
    out.Append(data.populationTableName);
    out.Append("\r\n\n\n");
}

void WriteCompetingCoding(ResultTextWriter& out, const CAnalysisData& data)
{
    std::string competing;
    for (int cause = 2; cause <= CauseCount(data); ++cause)
        competing += (competing.empty() ? "" : ", ") + CauseCodes(data, cause);
    out.Append(FormatText(text::kEventCoding, CauseCodes(data, 1)));
    out.Append("\n");
    out.Append(FormatText(text::kCompetingCoding, competing.empty() ? text::kNoCompetingCodes : competing));
    out.Append("\n");
}

}  // namespace

const std::string& AnalysisName(AnalysisKind kind, std::int32_t periodTechnique)
{
    const bool productLimitTechnique = periodTechnique == kProductLimitTechnique;
    switch (kind) {
    case kLifeTable: return LoadString(750);
    case kPeriodAnalysis: return LoadString(productLimitTechnique ? 752 : 751);
    case kTrend: return LoadString(productLimitTechnique ? 754 : 753);
    case kProductLimit: return LoadString(755);
    case kSmrSir: return LoadString(756);
    case kCumulativeIncidence: {
        static const std::string name = text::kCumulativeIncidenceName;
        return name;
    }
    }
    static const std::string unknown;
    return unknown;
}

void WriteReportHeader(ResultTextWriter& out, const CAnalysisData& data, AnalysisKind kind,
                       const std::string& timeStamp)
{
    out.AppendString(600, AnalysisName(kind, data.periodTechnique), timeStamp, data.title);
    if (!data.selectionText.empty()) out.Append(FormatText(text::kSelectionLine, data.selectionText));
    out.Append("\r\n");

    if (kind == kCumulativeIncidence) {
        WriteCompetingCoding(out, data);
    } else {
        out.Append(FormatText(text::kEventCoding, data.eventCode));
        out.Append("\n");
    }

    if (kind == kSmrSir || data.relativeSurvival) {
        out.Append(SexCodingLine(data));
        out.Append("\n");
    }

    if (kind == kSmrSir) {
        out.Append(FormatText(text::kReferenceRateTable, data.populationTableName));
        out.Append("\n\n");
    } else if (data.relativeSurvival) {
        WriteRelativeSurvivalClosing(out, data);
    } else {
        out.Append("\n\n");
    }
}

}  // namespace kalderon
