#include "cli/BatchRunner.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "analysis/ParameterChoices.h"
#include "cli/BatchMessages.h"
#include "cli/ChartOutput.h"
#include "cli/DatabaseInputReader.h"
#include "cli/PopulationInput.h"
#include "import/TextFileReader.h"
#include "resources/StringTable.h"
#include "results/LineEnds.h"
#include "results/ReportClock.h"
#include "results/ResultReport.h"
#include "stats/ExpectedSurvival.h"
#include "stats/LifeTable.h"
#include "stats/PeriodAnalysis.h"
#include "stats/ProductLimit.h"
#include "stats/SmrSir.h"
#include "stats/Trend.h"

namespace kalderon::batch {
namespace {

// The event code to use, or an empty optional with the reason in `error`.
std::optional<std::string> ChooseEventCode(const BatchOptions& options, const CAnalysisData& data,
                                           std::ostream& err, std::string& error)
{
    const std::vector<std::string>& codes = data.statusCodes;
    if (options.eventCode) {
        if (std::find(codes.begin(), codes.end(), *options.eventCode) != codes.end()) return options.eventCode;
        error = "--event \"" + *options.eventCode + "\" is no status code of the valid cases (" + QuotedList(codes) + ")";
        return std::nullopt;
    }
    if (codes.size() > 1)
        err << kProgram << "status codes " << QuotedList(codes) << ": \"" << codes.front()
            << "\" is taken as the event; --event CODE chooses another\n";
    return codes.front();
}

// Runs the computation; returns the kind of its report, or nothing with the
// reason in `refusal` when the computation refused to run.
std::optional<AnalysisKind> Compute(Analysis analysis, DataSet& dataSet, bool stratified, std::string& refusal)
{
    CAnalysisData& data = dataSet.analysis;
    const CaseList& cases = dataSet.cases;
    switch (analysis) {
    case Analysis::LifeTable:
        if (ComputeLifeTable(data, cases, stratified)) return kLifeTable;
        break;
    case Analysis::ProductLimit:
        if (ComputeProductLimit(data, cases, stratified)) return kProductLimit;
        break;
    case Analysis::Period:
        if (ComputePeriodAnalysis(data, cases, stratified)) return kPeriodAnalysis;
        break;
    case Analysis::Trend:
        if (ComputeTrend(data, cases, stratified, refusal)) return kTrend;
        return std::nullopt;
    case Analysis::Smr:
        if (ComputeSmrSir(data, cases, stratified)) return kSmrSir;
        break;
    }
    refusal = data.relativeSurvival ? RelativeSurvivalRefusal(data) : std::string();
    if (refusal.empty()) refusal = "the analysis cannot be computed with these parameters";
    return std::nullopt;
}

bool WriteFile(const std::string& path, const std::string& bytes, std::string& error)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = "cannot write " + path + ": " + std::strerror(written ? errno : writeErrno);
        return false;
    }
    return true;
}

}  // namespace

int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err)
{
    if (!options.chart.openPath.empty()) return RedrawChartFile(options.chart, err);
    DataSet dataSet;
    std::string error;
    if (options.isDatabase) {
        if (const std::optional<int> exitCode = ReadDatabaseInput(options, dataSet, out, err)) return *exitCode;
    } else if (!ReadTextFile(options.inputPath, options.import, dataSet, error)) {
        err << kProgram << error << "\n";
        return kExitUsage;
    }
    CAnalysisData& data = dataSet.analysis;
    if (data.TotalRecordsValid() < 1) {
        err << LoadString(500) << "\n";
        return kExitAnalysisFailed;
    }

    const std::optional<std::string> eventCode = ChooseEventCode(options, data, err, error);
    if (!eventCode) {
        err << kProgram << error << "\n";
        return kExitUsage;
    }
    // The period of interest is widened and clamped with the window, as the
    // parameter dialog does it; the dialog then takes n and the width.
    data.periodBegin = options.periodBegin;
    data.periodEnd = options.periodEnd;
    ApplyParameterChoices(data, ParameterChoices{*eventCode, options.timeUnit, options.ciLevelText});
    if (options.analysis == Analysis::Period && data.periodBegin.serial() > data.periodEnd.serial()) {
        err << kProgram << "the period of interest " << options.periodBegin.displayText() << " to "
            << options.periodEnd.displayText() << " lies outside the observation period "
            << data.windowBegin.displayText() << " to " << data.windowEnd.displayText() << "\n";
        return kExitUsage;
    }
    data.periodTechnique = options.periodTechnique;
    data.survivalYears = options.survivalYears;
    data.periodWidth = options.periodWidth;
    if (options.population.relativeSurvival || options.analysis == Analysis::Smr) {
        if (const std::optional<int> exitCode = PreparePopulation(options, data, err)) return *exitCode;
    }

    const bool stratified = options.stratified.value_or(dataSet.hasGroupColumn);
    const std::optional<AnalysisKind> kind = Compute(options.analysis, dataSet, stratified, error);
    if (!kind) {
        err << kProgram << error << "\n";
        return kExitAnalysisFailed;
    }

    ResultReport report;
    report.SetResults(data, *kind, FormatReportTimeStamp(ReportTime()));
    if (options.reportPath.empty()) {
        out.write(report.reportText().data(), static_cast<std::streamsize>(report.reportText().size()));
        out.flush();
        if (!out) {
            err << kProgram << "cannot write the report to standard output\n";
            return kExitUsage;
        }
    } else if (!WriteFile(options.reportPath, report.reportText(), error)) {
        err << kProgram << error << "\n";
        return kExitUsage;
    }
    if (!options.csvPath.empty() && !WriteFile(options.csvPath, ToCrLf(report.exportText()), error)) {
        err << kProgram << error << "\n";
        return kExitUsage;
    }
    if (options.chart.any() && !WriteAnalysisChart(options.chart, data, *kind, err)) return kExitUsage;
    return kExitSuccess;
}

}  // namespace kalderon::batch
