#include "app/ComputeCommands.h"

#include <memory>

#include "analysis/AnalysisCommand.h"
#include "analysis/CoxAnalysis.h"
#include "analysis/ui/CoxParameterDialog.h"
#include "analysis/ui/IncidenceParameterDialog.h"
#include "analysis/ui/ParameterDialog.h"
#include "analysis/ui/ProductLimitParameterDialog.h"
#include "analysis/ui/SmrParameterDialog.h"
#include "app/CMainFrame.h"
#include "app/CResultFrame.h"
#include "app/ChartWindows.h"
#include "app/ResultWindows.h"
#include "common/qt/DisplayText.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"
#include "import/ui/CEventDataView.h"
#include "results/ui/CResultEditView.h"
#include "stats/ConditionalSurvival.h"

namespace kalderon {
namespace {

AnalysisKind AnalysisOf(int id)
{
    switch (id) {
    case command::kComputeLifeTable: return kLifeTable;
    case command::kComputeProductLimit: return kProductLimit;
    case command::kComputePeriodAnalysis: return kPeriodAnalysis;
    case command::kComputeTrend: return kTrend;
    case command::kComputeCumulativeIncidence: return kCumulativeIncidence;
    default: return kSmrSir;
    }
}

std::unique_ptr<ParameterDialogBase> MakeDialog(CMainFrame& mainFrame, DataSet& data, AnalysisKind analysis)
{
    AppServices& services = mainFrame.services();
    const bool relativeSurvivalPossible = data.hasSexColumn && data.hasBirthColumn;
    switch (analysis) {
    case kProductLimit:
        return std::make_unique<ProductLimitParameterDialog>(data.analysis, data.cases, data.hasGroupColumn,
                                                             relativeSurvivalPossible, services, &mainFrame);
    case kSmrSir:
        return std::make_unique<SmrParameterDialog>(data.analysis, data.cases, data.hasGroupColumn, services,
                                                    &mainFrame);
    case kCumulativeIncidence:
        return std::make_unique<IncidenceParameterDialog>(data.analysis, data.cases, data.hasGroupColumn, services,
                                                          &mainFrame);
    default:
        return std::make_unique<ParameterDialog>(data.analysis, data.cases, analysis, data.hasGroupColumn,
                                                 relativeSurvivalPossible, services, &mainFrame);
    }
}

}  // namespace

const std::vector<ComputeCommand>& ComputeCommands()
{
    static const std::vector<ComputeCommand> commands = {
        {command::kComputeLifeTable, QStringLiteral("&Life table (Cutler-Ederer) ..."), command::kComputeLifeTable},
        {command::kComputeProductLimit, QStringLiteral("Product-limit (Kaplan-Meier) ..."),
         command::kComputeProductLimit},
        {command::kComputePeriodAnalysis, QStringLiteral("Period analysis ..."), command::kComputePeriodAnalysis},
        {command::kComputeTrend, QStringLiteral("Trend in n-year survival ..."), command::kComputeTrend},
        {command::kComputeSmrSir, QStringLiteral("SMR/SIR ..."), 0},
        {command::kComputeCumulativeIncidence, QStringLiteral("Cumulative incidence (competing risks) ..."), 0},
        {command::kComputeCoxRegression, QStringLiteral("Cox regression ..."), 0},
    };
    return commands;
}

bool IsComputeCommand(int id)
{
    for (const ComputeCommand& entry : ComputeCommands())
        if (entry.id == id) return true;
    return false;
}

QList<int> ComputeMenuIds(int smrSirId)
{
    QList<int> ids;
    for (const ComputeCommand& entry : ComputeCommands())
        ids << (entry.id == command::kComputeSmrSir ? smrSirId : entry.id);
    return ids;
}

bool ComputeCommandEnabled(const CEventDataView& view, int id)
{
    if (id == command::kComputeSmrSir) return view.data().hasSexColumn && view.data().hasBirthColumn;
    return IsComputeCommand(id);
}

void ComputeAndShow(CMainFrame& mainFrame, CEventDataView& view, const AnalysisRequest& request,
                    const std::optional<CoxModelChoice>& coxModel, const std::string& populationDatabase)
{
    DataSet& data = view.data();
    std::optional<AnalysisOutcome> outcome =
        coxModel ? ComputeInBackground(mainFrame,
                                       [&](const AnalysisProgress&) { return RunCoxRegression(data, *coxModel); })
                 : ComputeAnalysis(mainFrame, data.analysis, data.cases, request);
    if (!outcome) return;
    const std::optional<CAnalysisData> chartData = std::move(outcome->chartData);
    CResultFrame* results = OpenResultWindow(mainFrame, std::move(outcome->report));
    results->SetAnalysis(AnalysisFileOf({data, view.choice(), request, populationDatabase, coxModel}));
    const CResultEditView* report = results->view();
    OpenAnalysisChart(mainFrame, chartData ? *chartData : report->data(), report->kind());
    if (request.conditionalFrom)
        OpenAnalysisChart(mainFrame, WithConditionalCurves(report->data(), report->kind(), *request.conditionalFrom),
                          report->kind());
    if (outcome->note) mainFrame.services().messages.Show(&mainFrame, DisplayText(*outcome->note));
}

void RunComputeCommand(CMainFrame& mainFrame, CEventDataView& view, int id)
{
    DataSet& data = view.data();
    if (const Refusal refusal = NoValidCasesRefusal(data.analysis)) {
        mainFrame.services().messages.Show(&mainFrame, DisplayText(*refusal));
        return;
    }
    data.analysis.PrepareTimeWindow();
    if (id == command::kComputeCoxRegression) {
        CoxParameterDialog dialog(data, data.analysis, mainFrame.services(), &mainFrame);
        if (dialog.exec() == QDialog::Accepted) ComputeAndShow(mainFrame, view, {kCoxRegression}, dialog.modelChoice(), {});
        return;
    }
    const AnalysisKind analysis = AnalysisOf(id);
    const std::unique_ptr<ParameterDialogBase> dialog = MakeDialog(mainFrame, data, analysis);
    if (dialog->exec() != QDialog::Accepted) return;

    AnalysisRequest request{analysis, dialog->stratified() != 0, dialog->compareGroups(), dialog->standardise()};
    request.standardiseMethod = dialog->standardiseMethod();
    dialog->FillSummaries(request);
    request.crudeProbabilities = dialog->crudeProbabilities();
    const ApplicationPaths& paths = mainFrame.services().paths;
    ComputeAndShow(mainFrame, view, request, std::nullopt,
                   PathBytes(analysis == kSmrSir ? paths.referenceRateTables : paths.lifeTables));
}

}  // namespace kalderon
