// Renders the main window with a data window, the results and chart windows
// of each survival analysis, the print previews of a report and a chart,
// each page of the text import wizard, the column selection, the parameter
// dialogs, results windows (one with the comparison of groups, one with net
// survival and its age-standardised table beside its chart) and the help
// viewer into PNG files of a folder:
//   QT_QPA_PLATFORM=offscreen kalderon_screenshots docs/images
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintPreviewWidget>
#include <QScrollBar>
#include <QToolButton>
#include <QWizard>
#include <algorithm>
#include <clocale>

#include "analysis/ParameterChoices.h"
#include "analysis/ui/CoxParameterDialog.h"
#include "analysis/ui/IncidenceParameterDialog.h"
#include "analysis/ui/ParameterDialog.h"
#include "analysis/ui/ProductLimitParameterDialog.h"
#include "analysis/ui/SmrParameterDialog.h"
#include "app/CEventDataFrame.h"
#include "app/CLifeTableChartFrame.h"
#include "app/CMainFrame.h"
#include "app/CResultFrame.h"
#include "app/ChartWindows.h"
#include "app/ResultWindows.h"
#include "charts/ChartProfile.h"
#include "charts/qt/ChartImage.h"
#include "charts/ui/CLifeTableChartView.h"
#include "charts/ui/ChartAxisDialog.h"
#include "charts/ui/ChartTitleDialog.h"
#include "charts/ui/DataSeriesDialog.h"
#include "charts/ui/GroupLabelsDialog.h"
#include "charts/ui/LegendDialog.h"
#include "charts/ui/LineStyleDialog.h"
#include "charts/ui/MarkerStyleDialog.h"
#include "charts/ui/ResetChartDefaultsDialog.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"
#include "help/ui/CHelpViewer.h"
#include "import/ColumnProposal.h"
#include "import/DatabaseImport.h"
#include "import/PopulationTableLoader.h"
#include "import/TextFileReader.h"
#include "import/ui/CChooseTableDlg.h"
#include "import/ui/CColumnSelectionDlg.h"
#include "import/ui/CEventDataView.h"
#include "import/ui/CFullRowListCtrl.h"
#include "import/ui/CaseListModel.h"
#include "import/ui/CTextImportPage1.h"
#include "import/ui/CTextImportPage2B.h"
#include "import/ui/CTextImportPage3A.h"
#include "import/ui/CTextImportSheet.h"
#include "results/ui/CResultEditView.h"
#include "resources/Texts.h"
#include "support/CaseChoiceSteps.h"
#include "support/ExampleAnalyses.h"
#include "support/GuiTestSupport.h"
#include "analysis/ui/SurvivalSummaryRows.h"
#include "common/ui/ControlName.h"
#include "stats/SurvivalAtTimes.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessages.h"

using namespace kalderon;

namespace {

// What a read gave; a fault ends the program.
template <typename T>
T Read(ReadResult<T> read)
{
    if (!read) qFatal("%s", ReaderFaultMessage(read.fault()).c_str());
    return std::move(*read);
}
void Read(const ReadResult<void>& read)
{
    if (!read) qFatal("%s", ReaderFaultMessage(read.fault()).c_str());
}

void Save(QWidget& widget, const QDir& folder, const QString& name)
{
    QApplication::processEvents();
    const QString path = folder.filePath(name);
    if (!widget.grab().save(path)) qFatal("cannot write %s", qPrintable(path));
}

// The results window on the left half of `area`, its chart on the right.
void SideBySide(QMdiSubWindow* results, QMdiSubWindow* chart, QSize area)
{
    results->setGeometry(0, 0, area.width() / 2, area.height());
    chart->setGeometry(area.width() / 2, 0, area.width() - area.width() / 2, area.height());
}

// Scrolls the report so that the line `linesAbove` lines above `heading` is the first shown.
void ScrollToHeading(CResultFrame* results, const char* heading, std::ptrdiff_t linesAbove)
{
    const std::string& text = results->view()->reportText();
    const auto section = text.begin() + static_cast<std::ptrdiff_t>(text.find(heading));
    results->view()->scrollToLine(std::count(text.begin(), section, '\n') - linesAbove);
}

// The print preview of the active window, opened from the File menu, as
// large as `size`; `zoom` readies its pages.
void SavePrintPreview(CMainFrame& frame, const QDir& folder, const QString& name, QSize size,
                      const std::function<void(QPrintPreviewWidget&)>& zoom)
{
    testing::ModalScript script({[&](QWidget* dialog) {
        dialog->resize(size);
        auto* pages = dialog->findChild<QPrintPreviewWidget*>();
        zoom(*pages);
        Save(*dialog, folder, name);
        QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
    }});
    frame.command(command::kPrintPreview)->trigger();
    if (!script.finished()) qFatal("no print preview for %s", qPrintable(name));
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_TIME, "C");
    const QDir folder(QDir::current().absoluteFilePath(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".")));
    // The example data set, named as it is from the top of the source tree.
    QDir::setCurrent(testing::SourcePath(QString()));
    const QString example = QStringLiteral("data/examples/colrec.txt");

    testing::UseTemporarySettings();
    testing::ScriptedMessages messages;
    testing::ScriptedFileDialogs fileDialogs;
    AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};

    CMainFrame frame(services);
    frame.show();
    QApplication::processEvents();  // the window is kept on the screen once shown
    frame.resize(1040, 560);
    CEventDataFrame* window = frame.NewDataWindow();
    TextImportSettings settings;
    settings.useGroup = settings.useSex = settings.useBirth = true;
    Read(window->view()->ReadTextFile(PathBytes(example), settings));
    window->SetSource(PathBytes(example));
    window->setGeometry(8, 8, 1000, 400);
    Save(frame, folder, QStringLiteral("main-window.png"));
    window->close();

    // A data window whose invalid cases stand muted, with the counts in the
    // status bar and the data check above the list.
    QTemporaryDir temporary;
    const QString invalidCases = temporary.filePath(QStringLiteral("cases.txt"));
    QFile cases(invalidCases);
    if (!cases.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(invalidCases));
    cases.write("01.01.2000;31.12.2004;1;A;m;05.05.1950\n"
                "Begin;End;Status;Group;Sex;Birth\n"
                "15.03.2001;02.11.2006;0;B;f;12.08.1944\n"
                "05.03.2001;01.01.2001;0;B;f;01.02.1939\n"
                "17.06.2002;30.09.2003;1;A;m;31.02.1961\n"
                "02.01.2003;14.07.2007;0;A;f;23.04.1958\n"
                "01.09.2003;;1;B;m;11.11.1947\n"
                "20.10.2004;31.12.2007;0;A;m;03.03.2005\n"
                "01.01.0001;31.12.9999;0;B;f;01.01.1900\n");
    cases.close();
    CEventDataFrame* invalid = frame.NewDataWindow();
    Read(invalid->view()->ReadTextFile(PathBytes(invalidCases), settings));
    invalid->SetSource("/home/user/data/cases.txt");
    invalid->setGeometry(8, 8, 1000, 400);
    Save(frame, folder, QStringLiteral("data-window-invalid-rows.png"));

    // A registry's CSV file with a line of field names, its roles named by
    // field, with View > All columns on: every column of the file after the
    // cases' columns.
    const QString registry = temporary.filePath(QStringLiteral("registry.csv"));
    QFile registryFile(registry);
    if (!registryFile.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(registry));
    registryFile.write("id,diagnosis_date,last_contact,vital_status,stage,sex,birth_date,icd10,hospital,grade\n"
                       "10017,2001-03-05,2004-12-31,1,II,2,1944-08-12,C18.7,\"St. Anna, Linz\",G2\n"
                       "10018,2002-01-10,2005-06-30,0,I,1,1950-02-01,C20,Wels,G1\n"
                       "10019,2002-06-17,2003-09-30,1,III,1,1961-02-28,C18.2,\"St. Anna, Linz\",G3\n"
                       "10020,2003-01-02,2007-07-14,0,I,2,1958-04-23,C19,Steyr,\n"
                       "10021,2003-09-01,2006-03-15,1,IV,1,1947-11-11,C18.0,Wels,G3\n"
                       "10022,2004-10-20,2007-12-31,0,II,2,1939-03-03,C20,Steyr,G2\n");
    registryFile.close();
    TextImportSettings registryRoles;
    registryRoles.separator = ",";
    registryRoles.firstLineNames = registryRoles.quotedFields = true;
    registryRoles.useGroup = registryRoles.useSex = registryRoles.useBirth = true;
    registryRoles.beginName = "diagnosis_date";
    registryRoles.endName = "last_contact";
    registryRoles.statusName = "vital_status";
    registryRoles.groupName = "stage";
    registryRoles.sexName = "sex";
    registryRoles.birthName = "birth_date";
    registryRoles.beginFormat = registryRoles.endFormat = registryRoles.birthFormat = "YYYY-MM-DD";
    CEventDataFrame* everyColumn = frame.NewDataWindow();
    Read(everyColumn->view()->ReadTextFile(PathBytes(registry), registryRoles));
    everyColumn->SetSource("/home/user/data/registry.csv");
    everyColumn->setGeometry(8, 8, 1000, 400);
    frame.command(command::kViewAllColumns)->trigger();
    everyColumn->view()->list()->horizontalScrollBar()->setValue(
        everyColumn->view()->list()->columnViewportPosition(CaseListModel::kObservation));
    Save(frame, folder, QStringLiteral("data-all-columns.png"));
    everyColumn->close();

    // Each survival analysis run from the Compute menu on the example data by
    // its age groups, event code 1: the results window beside its chart.
    testing::UseTemporarySettings();
    services.paths.lifeTables = testing::SourcePath(QStringLiteral("data/LifeTables.mdb"));
    CEventDataFrame* rdata = frame.NewDataWindow();
    TextImportSettings grouped;
    grouped.useGroup = true;
    Read(rdata->view()->ReadTextFile(PathBytes(QStringLiteral("data/examples/rdata.txt")), grouped));
    rdata->SetSource("data/examples/rdata.txt");
    const auto period = [](QWidget* dialog) {
        auto* beginLater =
            testing::Control<QWidget>(dialog, ParameterDialog::kPeriodBeginSpin)->findChild<QToolButton*>("up");
        auto* endEarlier =
            testing::Control<QWidget>(dialog, ParameterDialog::kPeriodEndSpin)->findChild<QToolButton*>("down");
        for (int i = 0; i < 4; ++i) beginLater->click();
        for (int i = 0; i < 7; ++i) endEarlier->click();
    };
    const struct {
        int command;
        std::function<void(QWidget*)> choices;
        const char* name;
    } analyses[] = {{command::kComputeLifeTable, {}, "chart-window-life-table.png"},
                    {command::kComputeProductLimit, {}, "chart-window-product-limit.png"},
                    {command::kComputePeriodAnalysis, period, "chart-window-period-analysis.png"},
                    {command::kComputeTrend, {}, "chart-window-trend.png"}};
    frame.resize(1200, 720);
    QApplication::processEvents();
    const QSize area = frame.mdiArea()->viewport()->size();
    for (const auto& analysis : analyses) {
        frame.mdiArea()->setActiveSubWindow(rdata);
        testing::ModalScript script({[&](QWidget* dialog) {
            testing::Choose(dialog, ParameterDialogBase::kEventCode, QStringLiteral("1"));
            if (analysis.choices) analysis.choices(dialog);
            testing::Click(dialog, button::kOk);
        }});
        frame.command(analysis.command)->trigger();
        if (!script.finished()) qFatal("no parameter dialog for %s", analysis.name);
        QList<QMdiSubWindow*> children = frame.mdiArea()->subWindowList();
        QMdiSubWindow* chart = children.takeLast();
        QMdiSubWindow* results = children.takeLast();
        SideBySide(results, chart, area);
        Save(frame, folder, QString::fromLatin1(analysis.name));
        messages.answers.assign(2, Messages::Answer::No);
        chart->close();
        results->close();
    }
    rdata->close();

    {
        // The cumulative incidence of the example with a third status code:
        // its dialog, then the results beside the chart and the results at
        // Gray's tests.
        CEventDataFrame* causes = frame.NewDataWindow();
        const QString file = QStringLiteral("tests/data/cuminc/rdata3.txt");
        Read(causes->view()->ReadTextFile(PathBytes(testing::SourcePath(file)), grouped));
        causes->SetSource(PathBytes(file));
        testing::ModalScript script({[&](QWidget* dialog) {
            auto* competing = testing::Control<QListWidget>(dialog, IncidenceParameterDialog::kCompetingCodes);
            for (QListWidgetItem* item : competing->findItems(QStringLiteral("2"), Qt::MatchExactly))
                item->setCheckState(Qt::Checked);
            Save(*dialog, folder, QStringLiteral("parameters-cumulative-incidence.png"));
            testing::Click(dialog, button::kOk);
        }});
        frame.command(command::kComputeCumulativeIncidence)->trigger();
        if (!script.finished()) qFatal("no parameter dialog for the cumulative incidence");
        QList<QMdiSubWindow*> children = frame.mdiArea()->subWindowList();
        QMdiSubWindow* chart = children.takeLast();
        auto* results = qobject_cast<CResultFrame*>(children.takeLast());
        SideBySide(results, chart, area);
        Save(frame, folder, QStringLiteral("chart-window-cumulative-incidence.png"));
        messages.answers.assign(2, Messages::Answer::No);
        chart->close();
        results->setGeometry(40, 0, 960, area.height());
        ScrollToHeading(results, "Gray's test", 30);
        Save(frame, folder, QStringLiteral("results-cumulative-incidence.png"));
        results->close();
        causes->close();
    }

    {
        // The Cox model of the example (age, sex as a factor, age group;
        // curves by age group): its dialog, the results beside the chart and
        // the results at the tests.
        CEventDataFrame* cases = frame.NewDataWindow();
        TextImportSettings everyRole;
        everyRole.useGroup = everyRole.useSex = everyRole.useBirth = true;
        Read(cases->view()->ReadTextFile(PathBytes(testing::SourcePath(QStringLiteral("data/examples/rdata.txt"))),
                                         everyRole));
        cases->SetSource("data/examples/rdata.txt");
        testing::ModalScript script({[&](QWidget* dialog) {
            const auto check = [dialog](int listId, const char* field) {
                auto* list = testing::Control<QListWidget>(dialog, listId);
                for (QListWidgetItem* item : list->findItems(QLatin1String(field), Qt::MatchExactly))
                    item->setCheckState(Qt::Checked);
            };
            for (const char* field : {"age", "F5", "F4"}) check(CoxParameterDialog::kCovariates, field);
            check(CoxParameterDialog::kFactors, "F5");
            testing::Choose(dialog, CoxParameterDialog::kCurvesBy, QStringLiteral("F4"));
            Save(*dialog, folder, QStringLiteral("parameters-cox-regression.png"));
            testing::Click(dialog, button::kOk);
        }});
        frame.command(command::kComputeCoxRegression)->trigger();
        if (!script.finished()) qFatal("no parameter dialog for the Cox regression");
        QList<QMdiSubWindow*> children = frame.mdiArea()->subWindowList();
        QMdiSubWindow* chart = children.takeLast();
        auto* results = qobject_cast<CResultFrame*>(children.takeLast());
        SideBySide(results, chart, area);
        Save(frame, folder, QStringLiteral("chart-window-cox-regression.png"));
        messages.answers.assign(2, Messages::Answer::No);
        chart->close();
        results->setGeometry(40, 0, 960, area.height());
        ScrollToHeading(results, "Tests of the model", 16);
        Save(frame, folder, QStringLiteral("results-cox-regression.png"));
        results->close();
        cases->close();
    }
    frame.resize(1040, 560);

    {
        // The Data menu's dialogs on the example with its sex and dates of
        // birth, and the data window with the cases they leave out.
        CEventDataFrame* chosen = frame.NewDataWindow();
        TextImportSettings everyRole;
        everyRole.useGroup = everyRole.useSex = everyRole.useBirth = true;
        Read(chosen->view()->ReadTextFile(PathBytes(QStringLiteral("data/examples/rdata.txt")), everyRole));
        chosen->SetSource("data/examples/rdata.txt");
        chosen->setGeometry(8, 8, 1000, 400);
        testing::ModalScript select({[&](QWidget* dialog) {
            testing::AddRangeCondition(dialog, QStringLiteral("age"), QStringLiteral("40"), QStringLiteral("84"));
            testing::CheckValues(dialog, QStringLiteral("F4"), {QStringLiteral("71-95")}, true, false);
            Save(*dialog, folder, QStringLiteral("select-cases-dialog.png"));
            testing::Click(dialog, CSelectCasesDlg::kAdd);
            testing::Click(dialog, button::kOk);
        }});
        frame.command(command::kSelectCases)->trigger();
        testing::ModalScript group({[&](QWidget* dialog) {
            testing::ChooseGroupKeys(dialog, QString::fromUtf8(text::kAgeBandsEntry), QStringLiteral("icss"),
                                     QStringLiteral("F5"), {});
            Save(*dialog, folder, QStringLiteral("group-cases-dialog.png"));
            testing::Click(dialog, button::kOk);
        }});
        frame.command(command::kGroupCases)->trigger();
        if (!select.finished() || !group.finished()) qFatal("no dialog of the Data menu");
        Save(frame, folder, QStringLiteral("data-window-selection.png"));
        chosen->close();
    }

    {
        // The chart option dialogs on a product-limit chart of the example.
        const DataSet data = testing::ExampleAnalysis(kProductLimit);
        MemoryChartProfile profile;
        LifeTableChart chart;
        chart.InitFromAnalysis(data.analysis, kChartProductLimit, 5, profile);
        RenderChartImage(chart, 600, 400);  // the fonts' heights of a drawing
        const auto shoot = [&](QDialog& dialog, const char* name) {
            dialog.show();
            Save(dialog, folder, QString::fromLatin1(name));
            dialog.hide();
        };
        ChartTitleDialog title(chart, profile, services);
        shoot(title, "chart-title-dialog.png");
        ChartAxisDialog axis(chart, chart.survivalAxis, profile, services);
        shoot(axis, "chart-axis-dialog.png");
        ChartAxisDialog timeAxis(chart, chart.timeAxis, profile, services);
        shoot(timeAxis, "chart-time-axis-dialog.png");
        LegendDialog legend(chart, profile, services);
        shoot(legend, "chart-legend-dialog.png");
        std::vector<GroupLabel> labels;
        for (const CGroupResult& group : chart.analysis.groupResults) labels.emplace_back(group.info.code, group.info.label);
        GroupLabelsDialog groupLabels(labels, services);
        shoot(groupLabels, "chart-group-labels-dialog.png");
        DataSeriesDialog series(chart, profile, services);
        shoot(series, "chart-data-series-dialog.png");
        CLineStyle line = chart.seriesStyles[0].ciLine;
        LineStyleDialog lineStyle(line, services);
        shoot(lineStyle, "chart-line-style-dialog.png");
        CMarkerStyle marker = chart.seriesStyles[0].marker;
        marker.symbol = kSymbolTriangle;
        MarkerStyleDialog markerStyle(marker, services);
        shoot(markerStyle, "chart-marker-style-dialog.png");
        ResetChartDefaultsDialog reset(profile, services);
        shoot(reset, "chart-reset-defaults-dialog.png");
    }

    CTextImportSheet sheet(example, messages);
    sheet.show();
    Save(sheet, folder, QStringLiteral("wizard-1-format.png"));
    sheet.next();
    Save(sheet, folder, QStringLiteral("wizard-2a-separator.png"));
    sheet.next();
    testing::SetChecked(sheet.currentPage(), RoleAssignmentPage::kUseGroup);
    testing::SetChecked(sheet.currentPage(), RoleAssignmentPage::kUseBirth);
    Save(sheet, folder, QStringLiteral("wizard-3a-columns.png"));
    sheet.back();
    sheet.back();
    sheet.page1()->format = 1;
    sheet.next();
    testing::SetText(sheet.currentPage(), CTextImportPage2B::kBeginTo, QStringLiteral("10"));
    testing::SetText(sheet.currentPage(), CTextImportPage2B::kEndFrom, QStringLiteral("12"));
    testing::SetText(sheet.currentPage(), CTextImportPage2B::kEndTo, QStringLiteral("21"));
    testing::SetText(sheet.currentPage(), CTextImportPage2B::kStatusFrom, QStringLiteral("23"));
    Save(sheet, folder, QStringLiteral("wizard-2b-fixed.png"));
    sheet.hide();

    // A file whose first line names the fields, each value chosen by its
    // field's name, the date patterns proposed by the dates.
    CTextImportSheet named(QStringLiteral("tests/data/text/rdata-header.csv"), messages);
    named.show();
    named.next();
    named.next();
    QWidget* byName = named.currentPage();
    testing::Choose(byName, CTextImportPage3A::kBeginName, QStringLiteral("diagnosis_date"));
    testing::Choose(byName, CTextImportPage3A::kEndName, QStringLiteral("last_contact"));
    testing::Choose(byName, CTextImportPage3A::kStatusName, QStringLiteral("vital_status"));
    testing::SetChecked(byName, RoleAssignmentPage::kUseGroup);
    testing::Choose(byName, CTextImportPage3A::kGroupName, QStringLiteral("age_group"));
    testing::SetChecked(byName, RoleAssignmentPage::kUseSex);
    testing::Choose(byName, CTextImportPage3A::kSexName, QStringLiteral("sex"));
    testing::SetChecked(byName, RoleAssignmentPage::kUseBirth);
    testing::Choose(byName, CTextImportPage3A::kBirthName, QStringLiteral("birth_date"));
    Save(named, folder, QStringLiteral("text-import-header.png"));
    named.hide();

    const std::vector<std::string> fields = {"CaseNo", "BeginFU", "EndFU", "Status", "Stage", "Sex", "Birth"};
    CColumnSelectionDlg columns(BuildColumnTexts(fields), messages);
    columns.show();
    // As the dialog opens on the Access fixture's table: the fields proposed.
    const FieldKind date = FieldKind::kDates, other = FieldKind::kNoDates;
    columns.ShowProposal(ProposeColumnSelection(fields, {other, date, date, other, other, other, date}));
    Save(columns, folder, QStringLiteral("column-selection-complete.png"));
    testing::Click(&columns, CColumnSelectionDlg::kSeparateRadio);
    testing::Choose(&columns, kComboEndDay, QStringLiteral("< Ignore >"));
    Save(columns, folder, QStringLiteral("column-selection-separate.png"));
    columns.hide();
    {
        // As the dialog opens on a Stata file: its variables, the fields proposed.
        const ImportDatabase stata =
            Read(OpenImportDatabase(PathBytes(testing::SourcePath(QStringLiteral("tests/data/statistics/cases.dta")))));
        const std::vector<std::string> variables = Read(stata.database->FieldNames(stata.tableName));
        CColumnSelectionDlg dialog(BuildColumnTexts(variables), messages);
        dialog.show();
        dialog.ShowProposal(ProposeColumnSelection(*stata.database, stata.tableName, variables));
        Save(dialog, folder, QStringLiteral("column-selection-dta.png"));
    }

    CChooseTableDlg tables({"Alpha cases", "Mid", "Zeta"});
    tables.show();
    Save(tables, folder, QStringLiteral("choose-table.png"));
    tables.hide();

    DataSet exampleCases = Read(ReadTextFile(PathBytes(example), settings));
    exampleCases.analysis.PrepareTimeWindow();
    services.paths.lifeTables = testing::SourcePath(QStringLiteral("data/LifeTables.mdb"));
    services.paths.referenceRateTables = testing::SourcePath(QStringLiteral("data/ReferenceRateTables.mdb"));
    const char* const modeNames[] = {"life-table", "period-analysis", "trend"};
    for (AnalysisKind mode : {kLifeTable, kPeriodAnalysis, kTrend}) {
        ParameterDialog dialog(exampleCases.analysis, exampleCases.cases, mode, true, true, services);
        if (mode == kLifeTable) testing::Choose(&dialog, ParameterDialogBase::kMethod, QStringLiteral("Hakulinen"));
        dialog.show();
        Save(dialog, folder, QStringLiteral("parameters-%1.png").arg(QString::fromLatin1(modeNames[mode])));
    }
    {
        ParameterDialog net(exampleCases.analysis, exampleCases.cases, kLifeTable, true, true, services);
        testing::Choose(&net, ParameterDialogBase::kMethod, QStringLiteral("Pohar-Perme (net survival)"));
        testing::Choose(&net, ParameterDialogBase::kStandardisation, QStringLiteral("ICSS 2"));
        net.show();
        Save(net, folder, QStringLiteral("parameters-net-survival.png"));
        testing::Choose(&net, ParameterDialogBase::kStandardisationMethod, QStringLiteral("Brenner weights"));
        Save(net, folder, QStringLiteral("parameters-brenner-weights.png"));
    }
    {
        ParameterDialog crude(exampleCases.analysis, exampleCases.cases, kLifeTable, true, true, services);
        testing::SetChecked(&crude, ParameterDialogBase::kCrudeProbabilities);
        crude.show();
        Save(crude, folder, QStringLiteral("parameters-crude-probabilities.png"));
    }
    ProductLimitParameterDialog productLimit(exampleCases.analysis, exampleCases.cases, true, true, services);
    productLimit.show();
    Save(productLimit, folder, QStringLiteral("parameters-product-limit.png"));
    for (const int check : {SurvivalSummaryRows::kSurvivalAt, SurvivalSummaryRows::kConditional,
                            SurvivalSummaryRows::kRestrictedMean})
        productLimit.findChild<QCheckBox*>(ControlName(check))->setChecked(true);
    Save(productLimit, folder, QStringLiteral("parameters-product-limit-summaries.png"));
    productLimit.hide();
    {
        ProductLimitParameterDialog brenner(exampleCases.analysis, exampleCases.cases, true, true, services);
        testing::Choose(&brenner, ParameterDialogBase::kMethod, QStringLiteral("Pohar-Perme (net survival)"));
        testing::Choose(&brenner, ParameterDialogBase::kStandardisation, QStringLiteral("ICSS 1"));
        brenner.show();
        Save(brenner, folder, QStringLiteral("parameters-product-limit-brenner.png"));
    }
    SmrParameterDialog smr(exampleCases.analysis, exampleCases.cases, true, services);
    smr.show();
    Save(smr, folder, QStringLiteral("parameters-smr.png"));
    smr.hide();

    // Results windows of the example by its groups, event code 1.
    const DataSet& data = exampleCases;  // the first data window was closed and deleted
    CAnalysisData parameters = data.analysis;
    ApplyParameterChoices(parameters, ParameterChoices{"1", 0, ".95"});
    const auto showResults = [&](const CAnalysisData& record, const QString& name,
                                 const AnalysisRequest& request = {kLifeTable, true}) {
        std::optional<AnalysisOutcome> outcome = ComputeAnalysis(frame, record, data.cases, request);
        if (!outcome) qFatal("the analysis was refused");
        CResultFrame* results = OpenResultWindow(frame, std::move(outcome->report));
        results->setGeometry(40, 30, 960, 420);
        if (request.compareGroups || request.survivalAt) {  // the whole section, from its heading
            results->setGeometry(40, 0, 960, frame.mdiArea()->height());
            ScrollToHeading(results, request.survivalAt ? "Survival at chosen times" : "Comparison of groups", 1);
        }
        Save(frame, folder, name);
        messages.answers.assign(1, Messages::Answer::No);
        results->close();
    };
    showResults(parameters, QStringLiteral("results-life-table.png"));
    showResults(parameters, QStringLiteral("results-comparison.png"), {kProductLimit, true, true});
    {
        AnalysisRequest summaries{kProductLimit, true};
        summaries.survivalAt = DefaultChosenTimes(0);  // years
        summaries.conditionalFrom = 2.0;
        summaries.restrictedMean = true;
        showResults(parameters, QStringLiteral("results-survival-summaries.png"), summaries);
    }

    const std::string lifeTables = PathBytes(testing::SourcePath(QStringLiteral("data/LifeTables.mdb")));
    const std::vector<std::string> names = Read(ListPopulationTables(lifeTables));
    parameters.populationTables = Read(LoadPopulationTable(lifeTables, names.front()));
    ApplyPopulationChoices(parameters, PopulationChoices{SexCodingChoice{}, names.front()});
    parameters.relativeSurvival = 1;
    parameters.closingDate = parameters.lastEndDate;
    showResults(parameters, QStringLiteral("results-relative-survival.png"));
    {
        // The print previews of the relative survival report, as wide as
        // the page, and of its chart with a long title and the legend below.
        std::optional<AnalysisOutcome> outcome = ComputeAnalysis(frame, parameters, data.cases, {kLifeTable, true});
        if (!outcome) qFatal("the analysis was refused");
        CLifeTableChartFrame* chart = OpenAnalysisChart(frame, outcome->ChartData(), kLifeTable);
        CResultFrame* results = OpenResultWindow(frame, std::move(outcome->report));
        SavePrintPreview(frame, folder, QStringLiteral("print-preview-report.png"), QSize(900, 700),
                         [](QPrintPreviewWidget& pages) { pages.fitToWidth(); });
        frame.mdiArea()->setActiveSubWindow(chart);
        chart->setGeometry(0, 0, 640, 420);
        chart->view()->chart().titleText =
            "Relative survival of the patients of the example data set by age group at diagnosis (Ederer II)";
        chart->view()->chart().legend.legendPosition = kLegendBelow;
        SavePrintPreview(frame, folder, QStringLiteral("print-preview-chart.png"), QSize(900, 700),
                         [](QPrintPreviewWidget& pages) { pages.fitInView(); });
        messages.answers.assign(2, Messages::Answer::No);
        chart->close();
        results->close();
    }

    // Net survival by age group with the ICSS 2 standardised table: the
    // results window beside its chart, then the standardised section.
    parameters.netSurvival = 1;
    {
        std::optional<AnalysisOutcome> outcome =
            ComputeAnalysis(frame, parameters, data.cases, {kLifeTable, true, false, kIcss2});
        if (!outcome) qFatal("the net survival analysis was refused");
        CLifeTableChartFrame* chart = OpenAnalysisChart(frame, outcome->ChartData(), kLifeTable);
        CResultFrame* results = OpenResultWindow(frame, std::move(outcome->report));
        frame.mdiArea()->setActiveSubWindow(results);
        frame.resize(1200, 720);
        QApplication::processEvents();
        const QSize area = frame.mdiArea()->viewport()->size();
        SideBySide(results, chart, area);
        Save(frame, folder, QStringLiteral("chart-window-net-survival.png"));
        messages.answers.assign(1, Messages::Answer::No);
        chart->close();
        results->setGeometry(40, 0, 960, area.height());
        ScrollToHeading(results, "Age-standardised survival", 1);
        Save(frame, folder, QStringLiteral("results-net-survival-standardised.png"));
        messages.answers.assign(1, Messages::Answer::No);
        results->close();

        // The same with Brenner's weights, all ages together.
        AnalysisRequest brenner{kLifeTable, false, false, kIcss1};
        brenner.standardiseMethod = StandardiseMethod::kBrenner;
        std::optional<AnalysisOutcome> weighted = ComputeAnalysis(frame, parameters, data.cases, brenner);
        if (!weighted) qFatal("the Brenner-weighted analysis was refused");
        CResultFrame* weightedResults = OpenResultWindow(frame, std::move(weighted->report));
        weightedResults->setGeometry(40, 0, 960, area.height());
        ScrollToHeading(weightedResults, "Age-standardised survival", 1);
        Save(frame, folder, QStringLiteral("results-brenner-standardised.png"));
        messages.answers.assign(1, Messages::Answer::No);
        weightedResults->close();

        // The product-limit with Brenner's weights: the standardised curve beside the cases'.
        brenner.analysis = kProductLimit;
        std::optional<AnalysisOutcome> curves = ComputeAnalysis(frame, parameters, data.cases, brenner);
        if (!curves) qFatal("the Brenner-weighted product-limit was refused");
        CLifeTableChartFrame* curveChart = OpenAnalysisChart(frame, curves->ChartData(), kProductLimit);
        for (CSeriesStyle& style : curveChart->view()->chart().seriesStyles) style.showCI = 0;  // the curves alone
        curveChart->view()->update();
        CResultFrame* curveResults = OpenResultWindow(frame, std::move(curves->report));
        ScrollToHeading(curveResults, "Age-standardised survival", 1);
        SideBySide(curveResults, curveChart, area);
        Save(frame, folder, QStringLiteral("chart-window-brenner-product-limit.png"));
        messages.answers.assign(2, Messages::Answer::No);
        curveChart->close();
        curveResults->close();
        frame.resize(1040, 560);
    }

    CHelpViewer* help = CHelpViewer::Show(nullptr, ApplicationPaths::Locate().helpFile, QStringLiteral("quick_tour"));
    if (!help) qFatal("the help file was not found; build the target help_file");
    help->resize(1000, 700);
    Save(*help, folder, QStringLiteral("help-quick-tour.png"));
    help->ShowPage(QStringLiteral("/html/compute_Cutler-Ederer.htm"));
    Save(*help, folder, QStringLiteral("help-life-table.png"));
    help->ShowPage(QStringLiteral("/html/net_survival.htm"));
    Save(*help, folder, QStringLiteral("help-net-survival.png"));
    return 0;
}
