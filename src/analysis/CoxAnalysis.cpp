#include "analysis/CoxAnalysis.h"

#include <cmath>

#include "charts/LifeTableChart.h"
#include "resources/Texts.h"
#include "results/CoxRegressionSection.h"
#include "results/ReportClock.h"

namespace kalderon {

Refusal RunCoxAnalysis(const DataSet& data, const CoxModelChoice& choice, const std::string& ciLevelText,
                       CoxAnalysis& analysis)
{
    if (Refusal refusal = BuildCoxDesign(data, choice, analysis.design)) return refusal;
    if (Refusal refusal = SetCurveValues(choice, analysis.design)) return refusal;
    const CoxDesign& design = analysis.design;
    const CoxSample& sample = design.sample;
    const double limitsZ = CoxLimitsZ(ciLevelText);
    analysis.model = FitCoxModel(sample, choice.ties, limitsZ);
    const CoxFitResult& fit = analysis.model.fit;

    analysis.curves.clear();
    const size_t strata = sample.strataEnds.size();
    for (size_t stratum = 0; stratum < strata; ++stratum) {
        const CoxBaseline baseline = BaselineOf(sample, fit, choice.ties, stratum);
        const std::string prefix = sample.strataNames.empty() ? std::string() : sample.strataNames[stratum];
        if (design.curvesTerm < 0) {
            analysis.curves.push_back(SurvivalCurve(baseline, fit, design.curveRow, limitsZ, prefix));
            continue;
        }
        const CoxTerm& term = sample.terms[static_cast<size_t>(design.curvesTerm)];
        const CoxFactorLevels& levels = design.factorLevels[static_cast<size_t>(design.curvesTerm)];
        for (size_t level = 0; level < levels.levels.size(); ++level) {
            std::vector<double> values = design.curveRow;
            size_t column = term.firstColumn;
            for (size_t other = 0; other < levels.levels.size(); ++other)
                if (other != levels.reference) values[column++] = other == level ? 1.0 : 0.0;
            const std::string name = term.name + "=" + levels.levels[level];
            analysis.curves.push_back(
                SurvivalCurve(baseline, fit, values, limitsZ, prefix.empty() ? name : prefix + " / " + name));
        }
    }
    return std::nullopt;
}

CAnalysisData CoxChartData(const CAnalysisData& data, const std::vector<CoxCurve>& curves)
{
    CAnalysisData chart = data;
    chart.groupResults.clear();
    for (const CoxCurve& curve : curves) {
        CGroupResult series;
        series.info.code = curve.name.empty() ? std::string(text::kCoxAllCases) : curve.name;
        series.info.recordsRead = series.info.recordsValid = curve.points.empty() ? 0 : curve.points.front().atRisk;
        for (const CoxCurvePoint& point : curve.points) {
            CTimePointResult row;
            row.survivalDays = point.day;
            row.statusText = data.eventCode;
            row.atRisk = point.atRisk;
            row.cumulativeSurvival = point.survival;
            row.standardError = point.standardError;
            // Where the survival reaches 0 its limits are 0 too.
            row.lowerLimit = std::isnan(point.lower) ? 0.0 : point.lower;
            row.upperLimit = std::isnan(point.upper) ? 0.0 : point.upper;
            row.hasStandardError = 1;
            series.timePoints.push_back(std::move(row));
        }
        chart.groupResults.push_back(std::move(series));
    }
    return chart;
}

AnalysisOutcome RunCoxRegression(const DataSet& data, const CoxModelChoice& choice)
{
    AnalysisOutcome outcome;
    CoxAnalysis cox;
    outcome.refusal = RunCoxAnalysis(data, choice, data.analysis.ciLevelText, cox);
    if (outcome.refusal) return outcome;

    CAnalysisData record = data.analysis;
    record.title = data.cases.sourcePath;
    record.eventCode.clear();
    for (const std::string& code : choice.eventCodes) record.eventCode += (record.eventCode.empty() ? "" : ",") + code;
    outcome.chartData = CoxChartData(record, cox.curves);
    outcome.chartKind = ChartKindOfAnalysis(kCoxRegression, record.periodTechnique);
    record.groupResults.clear();

    CoxReportFacts facts;
    for (const std::string& field : choice.strata) facts.strataFields += (facts.strataFields.empty() ? "" : " x ") + field;
    facts.incompleteCases = static_cast<long>(cox.design.incompleteCases);
    facts.invalidCases = static_cast<long>(cox.design.invalidCases);
    facts.ciLevelText = record.ciLevelText;
    facts.timeUnit = record.timeUnit;
    facts.curveValues = cox.design.curveValues;
    CoxRegressionTexts texts = WriteCoxRegressionSection(cox.model, cox.design.sample, cox.curves, facts);
    outcome.report.SetResults(std::move(record), kCoxRegression, FormatReportTimeStamp(ReportTime()));
    outcome.report.AppendSection(texts.report, texts.exportText);
    std::string notes;
    for (const std::string& note : texts.notes) notes += (notes.empty() ? "" : "\n") + note;
    if (!notes.empty()) outcome.note = notes;
    return outcome;
}

}  // namespace kalderon
