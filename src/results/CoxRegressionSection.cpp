#include "results/CoxRegressionSection.h"

#include <cmath>

#include "common/TextFormat.h"
#include "resources/Texts.h"
#include "results/TimeUnitName.h"

namespace kalderon {
namespace {

std::string PText(double p) { return p < 0.0001 ? std::string(text::kSmallPValue) : FormatText("%.4f", p); }

void WriteCoefficients(CoxRegressionTexts& out, const CoxModel& model, const CoxReportFacts& facts)
{
    out.report += FormatText(text::kCoxLevelLine, facts.ciLevelText);
    out.report += text::kCoxColumns;
    out.report += text::kCoxRule;
    out.exportText.BeginTable(text::kWorkbookCoxCoefficients, text::kCoxExportCoefficients);
    for (const CoxCoefficientRow& row : model.rows) {
        if (row.collinear) {
            out.report += FormatText("%-22s  %11s\r\n", row.name, "NA");
            ExportRow line;
            line.Text(row.name);
            for (int column = 0; column < 7; ++column) line.Text("NA");
            out.exportText.AppendTableRow(line);
            out.notes.push_back(FormatText(text::kCoxCollinear, row.name));
            continue;
        }
        out.report += FormatText("%-22s  %11.6f  %10.6f  %7.3f  %11s  %9.4f  %9.4f  %9.4f\r\n", row.name, row.coef,
                                 row.standardError, row.z, PText(row.p), row.hazardRatio, row.lower, row.upper);
        ExportRow line;
        line.Text(row.name);
        for (const double value : {row.coef, row.hazardRatio, row.standardError, row.z, row.p, row.lower, row.upper})
            line.Number("%.10g", value);
        out.exportText.AppendTableRow(line);
        if (row.infinite) out.notes.push_back(FormatText(text::kCoxInfinite, row.name));
    }
}

void WriteTest(CoxRegressionTexts& out, const char* name, const CoxModelTest& test)
{
    out.report += FormatText("%-22s  %10.4f  %4d  %11s\r\n", name, test.chiSquare, test.df, PText(test.p));
    out.exportText.AppendTableRow(
        ExportRow().Text(name).Number("%.10g", test.chiSquare).Integer(test.df).Number("%.10g", test.p));
}

void WriteProportionalHazards(CoxRegressionTexts& out, const CoxModel& model)
{
    if (model.proportionalHazards.empty()) return;
    out.report += "\r\n";
    out.report += text::kCoxZphHeading;
    out.report += text::kCoxZphColumns;
    out.report += text::kCoxTestRule;
    out.exportText.Append("\n");
    out.exportText.BeginTable(text::kWorkbookCoxZph, text::kCoxExportZph);
    for (const CoxZphRow& row : model.proportionalHazards) {
        const std::string name = row.name.empty() ? std::string(text::kCoxGlobal) : row.name;
        out.report += FormatText("%-22s  %10.4f  %4d  %11s\r\n", name, row.chiSquare, row.df, PText(row.p));
        out.exportText.AppendTableRow(
            ExportRow().Text(name).Number("%.10g", row.chiSquare).Integer(row.df).Number("%.10g", row.p));
    }
}

std::string LimitText(const char* format, double limit) { return std::isnan(limit) ? "NA" : FormatText(format, limit); }

// The curves' times in the unit of the analysis, whole days as they are.
void WriteCurves(CoxRegressionTexts& out, const std::vector<CoxCurve>& curves, const CoxReportFacts& facts)
{
    out.report += "\r\n";
    std::string given;
    for (const auto& [term, value] : facts.curveValues) given += (given.empty() ? "" : ", ") + term + "=" + value;
    out.report += given.empty() ? std::string(text::kCoxCurvesHeading) : FormatText(text::kCoxCurvesGivenHeading, given);
    out.exportText.Append("\n");
    if (!given.empty()) {
        out.exportText.BeginTable(text::kWorkbookCoxCurveValues, text::kCoxExportCurveValues);
        for (const auto& [term, value] : facts.curveValues) out.exportText.AppendTableRow(ExportRow().Text(term).Text(value));
        out.exportText.Append("\n");
    }
    out.exportText.BeginTable(text::kWorkbookCoxCurves, text::kCoxExportCurves);
    const bool days = facts.timeUnit == kUnitDay;
    const double unitDays = UnitDays(facts.timeUnit);
    const std::string timeHeading = std::string("time [") + TimeUnitName(facts.timeUnit) + "]";
    for (const CoxCurve& curve : curves) {
        const std::string name = curve.name.empty() ? std::string(text::kCoxAllCases) : curve.name;
        out.report += "\r\n";
        out.report += FormatText(text::kCoxCurveLine, name);
        out.report += FormatText(text::kCoxCurveLevelLine, facts.ciLevelText);
        out.report += FormatText(text::kCoxCurveColumns, timeHeading);
        out.report += text::kCoxCurveRule;
        for (const CoxCurvePoint& point : curve.points) {
            const double time = point.day / unitDays;
            const std::string reportTime = days ? FormatText("%13d", point.day) : FormatText("%13.6f", time);
            out.report += FormatText("%s  %8d  %7d  %9.6f  %9s  %9s\r\n", reportTime, point.atRisk, point.events,
                                     point.survival, LimitText("%9.6f", point.lower), LimitText("%9.6f", point.upper));
            ExportRow line;
            line.Text(name);
            if (days)
                line.Integer(point.day);
            else
                line.Number("%.10g", time);
            line.Integer(point.atRisk).Integer(point.events).Number("%.10g", point.survival);
            line.Number("%.10g", point.standardError);
            line.Number("%.10g", point.lower, !std::isnan(point.lower)).Number("%.10g", point.upper, !std::isnan(point.upper));
            out.exportText.AppendTableRow(line);
        }
    }
}

}  // namespace

CoxRegressionTexts WriteCoxRegressionSection(const CoxModel& model, const CoxSample& sample,
                                             const std::vector<CoxCurve>& curves, const CoxReportFacts& facts)
{
    CoxRegressionTexts out;
    const CoxFitResult& fit = model.fit;
    out.report += FormatText(text::kCoxTiesLine, model.ties == CoxTies::kEfron ? text::kCoxEfron : text::kCoxBreslow);
    if (!sample.strataNames.empty())
        out.report += FormatText(text::kCoxStrataLine, facts.strataFields, static_cast<int>(sample.strataNames.size()));
    out.report += FormatText(text::kCoxCasesLine, static_cast<long>(model.cases), static_cast<long>(model.events));
    out.report += FormatText(text::kCoxIncompleteLine, facts.incompleteCases);
    out.report += FormatText(text::kCoxInvalidLine, facts.invalidCases);
    out.report += FormatText(text::kCoxIterationsLine, fit.iterations);
    if (!fit.converged) out.report += FormatText(text::kCoxNotConverged, fit.iterations);
    out.report += "\r\n";

    WriteCoefficients(out, model, facts);

    out.report += "\r\n";
    out.report += text::kCoxTestsHeading;
    out.report += text::kCoxTestColumns;
    out.report += text::kCoxTestRule;
    out.exportText.Append("\n");
    out.exportText.BeginTable(text::kWorkbookCoxTests, text::kCoxExportTests);
    WriteTest(out, text::kCoxLikelihoodRatio, model.likelihoodRatio);
    WriteTest(out, text::kCoxWald, model.wald);
    WriteTest(out, text::kCoxScore, model.score);
    out.report += "\r\n";
    out.report += FormatText(text::kCoxLoglikLine, fit.loglikNull, fit.loglik);
    out.report += FormatText(text::kCoxConcordanceLine, model.concordance.concordance, model.concordance.standardError);
    out.exportText.Append("\n");
    out.exportText.BeginTable(text::kWorkbookCoxModel, text::kCoxExportModel);
    const std::pair<const char*, long> counts[] = {{"Cases", static_cast<long>(model.cases)},
                                                   {"Events", static_cast<long>(model.events)},
                                                   {"Incomplete cases", facts.incompleteCases},
                                                   {"Invalid cases", facts.invalidCases},
                                                   {"Iterations", fit.iterations}};
    for (const auto& [name, count] : counts) out.exportText.AppendTableRow(ExportRow().Text(name).Integer(count));
    const std::pair<const char*, double> values[] = {{"Log partial likelihood (no covariates)", fit.loglikNull},
                                                     {"Log partial likelihood", fit.loglik},
                                                     {"Concordance", model.concordance.concordance},
                                                     {"Concordance standard error", model.concordance.standardError}};
    for (const auto& [name, value] : values) out.exportText.AppendTableRow(ExportRow().Text(name).Number("%.10g", value));

    WriteProportionalHazards(out, model);
    if (!out.notes.empty()) {
        out.report += "\r\n";
        for (const std::string& note : out.notes) out.report += note + "\r\n";
    }
    WriteCurves(out, curves, facts);
    return out;
}

}  // namespace kalderon
