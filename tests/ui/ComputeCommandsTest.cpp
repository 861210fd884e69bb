#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <clocale>
#include <ctime>
#include <memory>

#include "analysis/ui/CoxParameterDialog.h"
#include "analysis/ui/IncidenceParameterDialog.h"
#include "analysis/ui/ParameterDialog.h"
#include "analysis/ui/ProductLimitParameterDialog.h"
#include "analysis/ui/SmrParameterDialog.h"
#include "analysis/ui/SurvivalSummaryRows.h"
#include "app/CEventDataFrame.h"
#include "app/CLifeTableChartFrame.h"
#include "app/CMainFrame.h"
#include "app/CResultFrame.h"
#include "charts/LifeTableChart.h"
#include "charts/ui/CLifeTableChartView.h"
#include "common/ui/HelpKey.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"
#include "import/ui/CEventDataView.h"
#include "resources/StringTable.h"
#include "results/ui/CResultEditView.h"
#include "stats/LifeTable.h"
#include "support/BatchReport.h"
#include "support/CopiedCommand.h"
#include "support/GuiTestSupport.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessages.h"

namespace kalderon::testing {
namespace {

using Step = std::function<void(QWidget*)>;

// The ids of the controls every parameter dialog has.
using Shared = ParameterDialogBase;

const QString kNetSurvival = QStringLiteral("Pohar-Perme (net survival)");

const QString kSource = QStringLiteral("data/examples/rdata.txt");
const QString kIncidenceMenu = QStringLiteral("Cumulative incidence (competing risks) ...");
const QString kCoxMenu = QStringLiteral("Cox regression ...");

// Checks or clears the status code `code` in a code list of the cumulative
// incidence's dialog.
void CheckCode(QWidget* dialog, int listId, const QString& code, bool on = true)
{
    const QList<QListWidgetItem*> items = Control<QListWidget>(dialog, listId)->findItems(code, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    items.front()->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

// Steps the arrows of a period date until the edit shows `date`.
void StepPeriodTo(QWidget* dialog, int spinId, int editId, bool later, const QString& date)
{
    auto* arrow = Control<QWidget>(dialog, spinId)->findChild<QToolButton*>(later ? "up" : "down");
    for (int i = 0; i < 40 && Control<QLineEdit>(dialog, editId)->text() != date; ++i) arrow->click();
    QCOMPARE(Control<QLineEdit>(dialog, editId)->text(), date);
}

// Event "1", yearly intervals, and relative survival for code 1 as men by
// `method` ("" for none).
void CommonChoices(QWidget* dialog, int unitId, const QString& method)
{
    Choose(dialog, unitId, QStringLiteral("Year"));
    Choose(dialog, Shared::kEventCode, QStringLiteral("1"));
    SetChecked(dialog, Shared::kRelativeSurvival, !method.isEmpty());
    if (method.isEmpty()) return;
    Choose(dialog, Shared::kSexCodes, QStringLiteral("1"));
    SetChecked(dialog, Shared::kMale);
    Choose(dialog, Shared::kMethod, method);
}

// OK; a dialog that stays open (it showed a message) is cancelled so that
// the test goes on and fails.
void Accept(QWidget* dialog)
{
    Click(dialog, button::kOk);
    if (dialog->isVisible()) {
        qWarning("the dialog stayed open");
        Click(dialog, button::kCancel);
    }
}

// One Compute command as a person runs it on the example data set, with the
// arguments that make kalderon-batch compute the same.
struct ComputeRun {
    const char* name;
    int command;
    Step dialog;
    QStringList batchArguments;
    int resultFrame;
    QString resultTitle;
    int chartFrame = 0;  // 0: no chart window
    std::int32_t chartKind = -1;
    QString chartTitle;
    std::string chartTitleText;  // the trend's n shows in the chart's title
};

// "Compare groups" comes checked with the groups of a stratified analysis.
void CompareChoice(QWidget* dialog, bool compare)
{
    QVERIFY(Control<QCheckBox>(dialog, Shared::kStratified)->isChecked());
    QVERIFY(Control<QCheckBox>(dialog, Shared::kCompareGroups)->isVisible());
    QVERIFY(Control<QCheckBox>(dialog, Shared::kCompareGroups)->isChecked());
    SetChecked(dialog, Shared::kCompareGroups, compare);
}

// `standardisation`: the entry of "Age standardisation", "" to leave it at
// "none"; `brenner` chooses "Brenner weights" beside it, for all cases
// together (the groups of rdata.txt are age groups); `crude` checks "Crude
// probabilities of death", which only Ederer II enables.
Step LifeTableDialog(const QString& method, bool compare = true, const QString& standardisation = {},
                     bool brenner = false, bool crude = false)
{
    return [method, compare, standardisation, brenner, crude](QWidget* dialog) {
        QCOMPARE(dialog->objectName(), ControlName(ParameterDialog::kDialog));
        QCOMPARE(HelpTopicOf(dialog), QStringLiteral("compute_Cutler-Ederer"));
        CommonChoices(dialog, ParameterDialog::kTimeUnit, method);
        CompareChoice(dialog, compare);
        QCOMPARE(Control<QComboBox>(dialog, Shared::kStandardisation)->currentText(), QStringLiteral("none"));
        QCOMPARE(Control<QComboBox>(dialog, Shared::kStandardisation)->isEnabled(), !method.isEmpty());
        QVERIFY(!Control<QComboBox>(dialog, Shared::kStandardisationMethod)->isVisible());
        if (!standardisation.isEmpty()) Choose(dialog, Shared::kStandardisation, standardisation);
        QCOMPARE(Control<QCheckBox>(dialog, Shared::kCrudeProbabilities)->isEnabled(), method == "Ederer II");
        if (crude) SetChecked(dialog, Shared::kCrudeProbabilities);
        if (brenner) {
            Choose(dialog, Shared::kStandardisationMethod, QStringLiteral("Brenner weights"));
            SetChecked(dialog, Shared::kStratified, false);
        }
        Accept(dialog);
    };
}

// A standard chosen where the technique is the product-limit: Brenner's
// weights, the only method there, for all cases together.
void ChooseBrennerOnly(QWidget* dialog, const QString& standardisation)
{
    auto* methods = Control<QComboBox>(dialog, Shared::kStandardisationMethod);
    QVERIFY(Control<QComboBox>(dialog, Shared::kStandardisation)->isVisible());
    QVERIFY(!methods->isVisible());
    Choose(dialog, Shared::kStandardisation, standardisation);
    QVERIFY(methods->isVisible());
    QCOMPARE(methods->currentText(), QStringLiteral("Brenner weights"));
    QVERIFY(!(methods->model()->flags(methods->model()->index(0, 0)) & Qt::ItemIsEnabled));
    SetChecked(dialog, Shared::kStratified, false);
}

Step ProductLimitDialog(const QString& method, bool compare = true, const QString& standardisation = {})
{
    return [method, compare, standardisation](QWidget* dialog) {
        QCOMPARE(dialog->objectName(), ControlName(ProductLimitParameterDialog::kDialog));
        CommonChoices(dialog, ProductLimitParameterDialog::kTimeScale, method);
        CompareChoice(dialog, compare);
        if (!standardisation.isEmpty()) ChooseBrennerOnly(dialog, standardisation);
        Accept(dialog);
    };
}

// `standardisation` is chosen after the technique.
Step PeriodDialog(const QString& technique, const QString& method = {}, const QString& standardisation = {})
{
    return [technique, method, standardisation](QWidget* dialog) {
        QCOMPARE(dialog->objectName(), ControlName(ParameterDialog::kDialog));
        CommonChoices(dialog, ParameterDialog::kTimeUnit, method);
        StepPeriodTo(dialog, ParameterDialog::kPeriodBeginSpin, ParameterDialog::kPeriodBegin, true,
                     QStringLiteral("01.01.1990"));
        StepPeriodTo(dialog, ParameterDialog::kPeriodEndSpin, ParameterDialog::kPeriodEnd, false,
                     QStringLiteral("31.12.1994"));
        Choose(dialog, ParameterDialog::kTechnique, technique);
        if (!standardisation.isEmpty()) ChooseBrennerOnly(dialog, standardisation);
        Accept(dialog);
    };
}

Step TrendDialog(const QString& years, const QString& method = {})
{
    return [years, method](QWidget* dialog) {
        CommonChoices(dialog, ParameterDialog::kTimeUnit, method);
        QCOMPARE(Control<QLineEdit>(dialog, ParameterDialog::kSurvivalYears)->text(), QStringLiteral("5"));
        QCOMPARE(Control<QLineEdit>(dialog, ParameterDialog::kWidth)->text(), QStringLiteral("5"));
        SetText(dialog, ParameterDialog::kSurvivalYears, years);
        Accept(dialog);
    };
}

Step SmrDialog()
{
    return [](QWidget* dialog) {
        QCOMPARE(dialog->objectName(), ControlName(SmrParameterDialog::kDialog));
        Choose(dialog, Shared::kEventCode, QStringLiteral("1"));
        Choose(dialog, Shared::kSexCodes, QStringLiteral("1"));
        SetChecked(dialog, Shared::kMale);
        Accept(dialog);
    };
}

QString Titled(int prefix) { return UiString(prefix) + QStringLiteral("  ") + kSource; }

std::vector<ComputeRun> ComputeRuns()
{
    const QStringList period = {"--analysis", "period", "--period-begin", "01.01.1990", "--period-end", "31.12.1994"};
    const QStringList net = {"--relative", "--method", "pohar-perme", "--male", "1"};
    const QStringList brenner = {"--standardise", "icss1", "--standardise-method", "brenner", "--no-stratified"};
    return {
        {"life table", command::kComputeLifeTable, LifeTableDialog({}), {"--compare"}, 400, Titled(401), 402,
         kChartLifeTable, Titled(403), ""},
        {"life table, groups not compared", command::kComputeLifeTable, LifeTableDialog({}, false), {}, 400,
         Titled(401), 402, kChartLifeTable, Titled(403), ""},
        {"product-limit", command::kComputeProductLimit, ProductLimitDialog({}),
         {"--analysis", "productlimit", "--compare"}, 424, Titled(425), 426, kChartProductLimit, Titled(427), ""},
        {"product-limit, groups not compared", command::kComputeProductLimit, ProductLimitDialog({}, false),
         {"--analysis", "productlimit"}, 424, Titled(425), 426, kChartProductLimit, Titled(427), ""},
        {"period, life table", command::kComputePeriodAnalysis, PeriodDialog("Life table"), period, 410, Titled(411),
         413, kChartPeriodAnalysis, Titled(414), ""},
        {"period, product-limit", command::kComputePeriodAnalysis, PeriodDialog("Product-limit"),
         period + QStringList{"--technique", "productlimit"}, 410,
         QStringLiteral(" Results (Period analysis - Product-limit) for  data/examples/rdata.txt"), 413,
         kChartProductLimit, Titled(415), ""},
        {"trend, n = 5", command::kComputeTrend, TrendDialog("5"), {"--analysis", "trend", "--years", "5"}, 420,
         Titled(421), 422, kChartTrend, Titled(423), "5-year survival"},
        {"trend, n = 3", command::kComputeTrend, TrendDialog("3"), {"--analysis", "trend", "--years", "3"}, 420,
         Titled(421), 422, kChartTrend, Titled(423), "3-year survival"},
        {"relative, Ederer II", command::kComputeLifeTable, LifeTableDialog("Ederer II"),
         {"--relative", "--male", "1", "--compare"}, 400, Titled(401), 402, kChartLifeTable, Titled(403), ""},
        {"relative, Hakulinen", command::kComputeProductLimit, ProductLimitDialog("Hakulinen"),
         {"--analysis", "productlimit", "--relative", "--method", "hakulinen", "--male", "1", "--compare"}, 424,
         Titled(425), 426, kChartProductLimit, Titled(427), ""},
        {"net survival, ICSS 2", command::kComputeLifeTable, LifeTableDialog(kNetSurvival, true, "ICSS 2"),
         net + QStringList{"--standardise", "icss2", "--compare"}, 400, Titled(401), 402, kChartLifeTable, Titled(403),
         "Cumulative net survival"},
        {"Ederer II, ICSS 3, crude probabilities", command::kComputeLifeTable,
         LifeTableDialog("Ederer II", false, "ICSS 3", false, true),
         {"--relative", "--male", "1", "--standardise", "icss3", "--crude"}, 400, Titled(401), 402, kChartLifeTable, Titled(403),
         "Cumulative relative survival"},
        {"net survival, ICSS 1 with Brenner weights", command::kComputeLifeTable,
         LifeTableDialog(kNetSurvival, false, "ICSS 1", true),
         net + brenner, 400, Titled(401), 402, kChartLifeTable, Titled(403), "Cumulative net survival"},
        {"net survival, product-limit", command::kComputeProductLimit, ProductLimitDialog(kNetSurvival),
         QStringList{"--analysis", "productlimit", "--compare"} + net, 424, Titled(425), 426, kChartProductLimit,
         Titled(427), "Cumulative net survival"},
        {"net survival, product-limit, ICSS 1 with Brenner weights", command::kComputeProductLimit,
         ProductLimitDialog(kNetSurvival, false, "ICSS 1"),
         QStringList{"--analysis", "productlimit"} + net + brenner, 424, Titled(425), 426, kChartProductLimit,
         Titled(427), "Cumulative net survival"},
        {"Ederer II, period product-limit, ICSS 2 with Brenner weights", command::kComputePeriodAnalysis,
         PeriodDialog("Product-limit", "Ederer II", "ICSS 2"),
         period + QStringList{"--technique", "productlimit", "--relative", "--male", "1", "--standardise", "icss2",
                              "--standardise-method", "brenner", "--no-stratified"},
         410, QStringLiteral(" Results (Period analysis - Product-limit) for  data/examples/rdata.txt"), 413,
         kChartProductLimit, Titled(415), "Cumulative relative survival"},
        {"net survival, period", command::kComputePeriodAnalysis, PeriodDialog("Life table", kNetSurvival),
         period + net, 410, Titled(411), 413, kChartPeriodAnalysis, Titled(414), "Cumulative net survival"},
        {"net survival, trend", command::kComputeTrend, TrendDialog("5", kNetSurvival),
         QStringList{"--analysis", "trend", "--years", "5"} + net, 420, Titled(421), 422, kChartTrend, Titled(423),
         "5-year net survival"},
        {"SMR/SIR", command::kComputeSmrSir, SmrDialog(), {"--analysis", "smr", "--male", "1"}, 428, Titled(429), 0, -1, {}, ""},
    };
}

}  // namespace

class ComputeCommandsTest : public QObject {
    Q_OBJECT

    ScriptedMessages messages;
    ScriptedFileDialogs fileDialogs;
    AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};
    std::unique_ptr<CMainFrame> mainFrame;
    QTemporaryDir folder;

    CEventDataFrame* OpenData(const QString& path, bool sexAndBirth = true)
    {
        CEventDataFrame* window = mainFrame->NewDataWindow();
        TextImportSettings settings;
        settings.useGroup = true;
        settings.useSex = settings.useBirth = sexAndBirth;
        const ReadResult<void> read = window->view()->ReadTextFile(PathBytes(path), settings);
        if (!read) qFatal("%s", ReaderFaultMessage(read.fault()).c_str());
        window->SetSource(PathBytes(path == SourcePath(kSource) ? kSource : path));
        window->view()->data().source.path = window->view()->sourcePath();
        return window;
    }
    CEventDataFrame* OpenExample(bool sexAndBirth = true) { return OpenData(SourcePath(kSource), sexAndBirth); }

    template <typename T>
    QList<T*> Windows() const
    {
        QList<T*> windows;
        for (QMdiSubWindow* child : mainFrame->mdiArea()->subWindowList())
            if (auto* window = qobject_cast<T*>(child)) windows << window;
        return windows;
    }

    // Triggers the command on the last data window opened with the dialog
    // worked by `dialog`; whether a dialog came.
    bool Run(int id, const Step& dialog)
    {
        if (!Windows<CEventDataFrame>().isEmpty()) mainFrame->mdiArea()->setActiveSubWindow(Windows<CEventDataFrame>().back());
        ModalScript script({dialog});
        mainFrame->command(id)->trigger();
        return script.finished();
    }

    QStringList Entries(QMenu* menu) const
    {
        QStringList entries;
        for (QAction* action : menu->actions())
            entries << action->objectName() + QLatin1Char(' ') + action->text() +
                           (action->isEnabled() ? QString() : QStringLiteral(" (off)"));
        return entries;
    }
    QMenu* ComputeMenu() const
    {
        for (QAction* menu : mainFrame->menuBar()->actions())
            if (menu->text() == QStringLiteral("&Compute")) return menu->menu();
        qFatal("no Compute menu");
    }

    void CloseAll()
    {
        messages.answers.assign(100, Messages::Answer::No);
        QVERIFY(mainFrame->CloseAllChildren());
        messages.answers.clear();
        messages.shown.clear();
    }

private slots:
    void initTestCase()
    {
        UseBatchReportConditions();
        services.paths.lifeTables = SourcePath(QStringLiteral("data/LifeTables.mdb"));
        services.paths.referenceRateTables = SourcePath(QStringLiteral("data/ReferenceRateTables.mdb"));
        mainFrame = std::make_unique<CMainFrame>(services);
        mainFrame->show();
    }

    void cleanup() { CloseAll(); }

    void MenuPromptsAndWhereTheCommandsAreOn()
    {
        QCOMPARE(mainFrame->command(command::kComputeLifeTable)->statusTip(),
                 QStringLiteral("Cutler-Ederer life table analysis"));
        QCOMPARE(mainFrame->command(command::kComputeLifeTable)->toolTip(), QStringLiteral("Cutler-Ederer"));
        QCOMPARE(mainFrame->command(command::kComputeProductLimit)->statusTip(),
                 QStringLiteral("Compute Kaplan-Meier on active data view"));
        QCOMPARE(mainFrame->command(command::kComputeProductLimit)->toolTip(), QStringLiteral("Kaplan-Meier"));
        QCOMPARE(mainFrame->command(command::kComputePeriodAnalysis)->statusTip(),
                 QStringLiteral("Compute Period Analysis on active data view"));
        QCOMPARE(mainFrame->command(command::kComputePeriodAnalysis)->toolTip(), QStringLiteral("Merivane"));
        QCOMPARE(mainFrame->command(command::kComputeTrend)->statusTip(),
                 QStringLiteral("Compute trend in n-year survival using period analysis"));
        QCOMPARE(mainFrame->command(command::kComputeTrend)->toolTip(),
                 QStringLiteral("n-year survival by starting year of period"));
        QVERIFY(mainFrame->command(command::kComputeSmrSir)->statusTip().isEmpty());

        // A data window without gender: SMR/SIR greyed out, the rest on.
        OpenExample(false);
        QCOMPARE(Entries(ComputeMenu()),
                 QStringList({ControlName(command::kComputeLifeTable) + " &Life table (Cutler-Ederer) ...",
                              ControlName(command::kComputeProductLimit) + " Product-limit (Kaplan-Meier) ...",
                              ControlName(command::kComputePeriodAnalysis) + " Period analysis ...",
                              ControlName(command::kComputeTrend) + " Trend in n-year survival ...",
                              ControlName(command::kComputeSmrSir) + " SMR/SIR ... (off)",
                              ControlName(command::kComputeCumulativeIncidence) + " " + kIncidenceMenu,
                              ControlName(command::kComputeCoxRegression) + " " + kCoxMenu}));
        messages.shown.clear();
        QVERIFY(!Run(command::kComputeSmrSir, [](QWidget* dialog) { Click(dialog, button::kCancel); }));
        CEventDataFrame* data = OpenExample();
        QVERIFY(mainFrame->command(command::kComputeSmrSir)->isEnabled());

        // On a results window the commands of the data view are off.
        QVERIFY(Run(command::kComputeLifeTable, LifeTableDialog({})));
        QVERIFY(qobject_cast<CLifeTableChartFrame*>(mainFrame->mdiArea()->currentSubWindow()));
        QCOMPARE(Entries(ComputeMenu()),
                 QStringList({ControlName(command::kComputeLifeTable) + " &Life table (Cutler-Ederer) ... (off)",
                              ControlName(command::kComputeProductLimit) + " Product-limit (Kaplan-Meier) ... (off)",
                              ControlName(command::kComputePeriodAnalysis) + " Period analysis ... (off)",
                              ControlName(command::kComputeTrend) + " Trend in n-year survival ... (off)",
                              ControlName(command::kChartMenuSmrSir) + " SMR/SIR ... (off)",
                              ControlName(command::kComputeCumulativeIncidence) + " " + kIncidenceMenu + " (off)",
                              ControlName(command::kComputeCoxRegression) + " " + kCoxMenu + " (off)"}));
        mainFrame->mdiArea()->setActiveSubWindow(Windows<CResultFrame>().back());
        QCOMPARE(mainFrame->shownMenu(), resource::kDataMenu);
        QCOMPARE(Entries(ComputeMenu()),
                 QStringList({ControlName(command::kComputeLifeTable) + " &Life table (Cutler-Ederer) ... (off)",
                              ControlName(command::kComputeProductLimit) + " Product-limit (Kaplan-Meier) ... (off)",
                              ControlName(command::kComputePeriodAnalysis) + " Period analysis ... (off)",
                              ControlName(command::kComputeTrend) + " Trend in n-year survival ... (off)",
                              ControlName(command::kComputeSmrSir) + " SMR/SIR ... (off)",
                              ControlName(command::kComputeCumulativeIncidence) + " " + kIncidenceMenu + " (off)",
                              ControlName(command::kComputeCoxRegression) + " " + kCoxMenu + " (off)"}));
        mainFrame->mdiArea()->setActiveSubWindow(data);
        QVERIFY(mainFrame->command(command::kComputeTrend)->isEnabled());
        QVERIFY(messages.shown.isEmpty());
    }

    void EveryCommandShowsTheBatchReport()
    {
        const QStringList example = {kSource, "--group", "4", "--sex", "5", "--birth", "6", "--event", "1"};
        OpenExample();
        for (const ComputeRun& run : ComputeRuns()) {
            const qsizetype results = Windows<CResultFrame>().size();
            const qsizetype charts = Windows<CLifeTableChartFrame>().size();
            QVERIFY2(Run(run.command, run.dialog), run.name);
            // rdata's cases all began before 1990: the life table technique's period says so.
            if (run.command == command::kComputePeriodAnalysis && messages.shown.size() == 1 &&
                messages.shown.front().startsWith(QStringLiteral("No case begins its follow-up")))
                messages.shown.clear();
            QVERIFY2(messages.shown.isEmpty(), qPrintable(messages.shown.join(QLatin1Char('\n'))));
            QCOMPARE(Windows<CResultFrame>().size(), results + 1);
            CResultFrame* result = Windows<CResultFrame>().back();
            const QByteArray expected = BatchReport(example + run.batchArguments);
            QVERIFY2(!expected.isEmpty(), run.name);
            QCOMPARE(QByteArray::fromStdString(result->view()->reportText()), expected);
            QCOMPARE(expected.contains("\r\nComparison of groups\r\n"), run.batchArguments.contains("--compare"));
            QCOMPARE(expected.contains("ICSS"), run.batchArguments.contains("--standardise"));
            QCOMPARE(expected.contains("Crude probabilities of death"), run.batchArguments.contains("--crude"));
            QCOMPARE(result->windowTitle(), run.resultTitle);
            QCOMPARE(result->resourceId(), run.resultFrame);

            QCOMPARE(Windows<CLifeTableChartFrame>().size(), charts + (run.chartFrame ? 1 : 0));
            if (!run.chartFrame) continue;
            CLifeTableChartFrame* chart = Windows<CLifeTableChartFrame>().back();
            QCOMPARE(chart->view()->chart().chartKind, run.chartKind);
            QCOMPARE(chart->windowTitle(), run.chartTitle);
            QCOMPARE(chart->resourceId(), run.chartFrame);
            if (!run.chartTitleText.empty()) QCOMPARE(chart->view()->chart().titleText, run.chartTitleText);
            // A standardised life table draws each group's standardised curve after the groups
            // (of all cases together: after the first).
            const std::vector<CGroupResult>& drawn = chart->view()->chart().analysis.groupResults;
            const std::vector<CGroupResult>& groups = result->view()->data().groupResults;
            const qsizetype standardise = run.batchArguments.indexOf("--standardise");
            const bool together = run.batchArguments.contains("--no-stratified");
            QCOMPARE(drawn.size(), groups.size() + (standardise < 0 ? 0 : together ? 1 : groups.size()));
            if (standardise >= 0) {
                const std::string name = "ICSS " + run.batchArguments[standardise + 1].right(1).toStdString();
                QCOMPARE((together ? drawn[1] : drawn.back()).info.code,
                         together ? name : groups.back().info.code + ", " + name);
                QCOMPARE(chart->view()->chart().seriesStyles.size(), together ? 2 : drawn.size());
            }
            if (standardise >= 0 && run.chartKind == kChartProductLimit) {
                // The standardised curve runs over the rows of the cases, which the numbers at risk count.
                const std::vector<CTimePointResult>& rows = drawn[1].timePoints;
                QCOMPARE(rows.size(), drawn[0].timePoints.size());
                QVERIFY(std::any_of(rows.begin(), rows.end(), [&](const CTimePointResult& row) {
                    return row.statusText == "1" && row.hasRelativeSurvival && row.hasStandardError;
                }));
            }
            QCOMPARE(mainFrame->mdiArea()->currentSubWindow(), chart);
        }
        QCOMPARE(Windows<CResultFrame>().size(), static_cast<qsizetype>(ComputeRuns().size()));  // side by side
        // Each window's command line writes its report, and so does its saved
        // analysis, in kalderon-batch and opened in the desktop program.
        const QList<CResultFrame*> computed = Windows<CResultFrame>();
        for (qsizetype i = 0; i < computed.size(); ++i) {
            const QByteArray report = QByteArray::fromStdString(computed[i]->view()->reportText());
            QCOMPARE(CopiedCommandReport(*mainFrame, computed[i]), report);
            fileDialogs.saveChoice = fileDialogs.choice = folder.filePath(QStringLiteral("run%1.kan").arg(i));
            mainFrame->command(command::kSaveAnalysis)->trigger();
            QCOMPARE(BatchReport({"--analysis-file", fileDialogs.saveChoice}), report);
            mainFrame->command(command::kOpenAnalysis)->trigger();
            QCOMPARE(Windows<CResultFrame>().back()->windowTitle(), computed[i]->windowTitle());
            QCOMPARE(QByteArray::fromStdString(Windows<CResultFrame>().back()->view()->reportText()), report);
        }
        // An analysis whose data file has gone says so and opens nothing.
        QFile gone(folder.filePath(QStringLiteral("gone.kan")));
        QVERIFY(gone.open(QIODevice::WriteOnly));
        gone.write(R"({"kalderon analysis": 1, "data": "gone.txt", "options": {}})");
        gone.close();
        fileDialogs.choice = gone.fileName();
        messages.shown.clear();
        const qsizetype windows = mainFrame->mdiArea()->subWindowList().size();
        mainFrame->command(command::kOpenAnalysis)->trigger();
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY2(messages.shown.front().contains(QStringLiteral("gone.txt")), qPrintable(messages.shown.front()));
        QCOMPARE(mainFrame->mdiArea()->subWindowList().size(), windows);
    }

    // The chart of a net survival run draws the net survival where relative
    // survival is drawn: the Pohar-Perme values, not Ederer II's.
    void NetSurvivalChartHoldsTheNetCurve()
    {
        CEventDataFrame* window = OpenExample();
        QVERIFY(Run(command::kComputeLifeTable, LifeTableDialog(kNetSurvival, false)));
        const LifeTableChart& chart = Windows<CLifeTableChartFrame>().back()->view()->chart();
        QCOMPARE(chart.analysis.relativeSurvival, 1);
        QCOMPARE(chart.survivalAxis.labelText, std::string("Net survival rate"));

        DataSet& data = window->view()->data();
        CAnalysisData ederer = data.analysis;
        ederer.netSurvival = 0;
        QVERIFY(ComputeLifeTable(ederer, data.cases, true) == std::nullopt);
        CAnalysisData net = data.analysis;
        QVERIFY(ComputeLifeTable(net, data.cases, true) == std::nullopt);
        QCOMPARE(chart.analysis.groupResults.size(), net.groupResults.size());
        int differing = 0;
        for (size_t g = 0; g < net.groupResults.size(); ++g) {
            const auto& drawn = chart.analysis.groupResults[g].intervalTable.rows;
            const auto& expected = net.groupResults[g].intervalTable.rows;
            QCOMPARE(drawn.size(), expected.size());
            for (size_t i = 0; i < drawn.size(); ++i) {
                QCOMPARE(drawn[i].relativeSurvival, expected[i].relativeSurvival);
                QCOMPARE(drawn[i].lowerLimit, expected[i].lowerLimit);
                QCOMPARE(drawn[i].upperLimit, expected[i].upperLimit);
                if (drawn[i].relativeSurvival != ederer.groupResults[g].intervalTable.rows[i].relativeSurvival)
                    ++differing;
            }
        }
        QVERIFY(differing > 0);
        QVERIFY(messages.shown.isEmpty());
    }

    void TheRecordKeepsTheLastParameters()
    {
        OpenExample();
        QVERIFY(Run(command::kComputePeriodAnalysis, PeriodDialog("Product-limit")));
        QString begin, end, technique;
        QVERIFY(Run(command::kComputePeriodAnalysis, [&](QWidget* dialog) {
            begin = Control<QLineEdit>(dialog, ParameterDialog::kPeriodBegin)->text();
            end = Control<QLineEdit>(dialog, ParameterDialog::kPeriodEnd)->text();
            Click(dialog, button::kCancel);
        }));
        QCOMPARE(begin, QStringLiteral("01.01.1990"));
        QCOMPARE(end, QStringLiteral("31.12.1994"));
    }

    void NoValidCaseGivesMessage500WithoutDialog()
    {
        const QString path = folder.filePath(QStringLiteral("invalid.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("31.02.1990;01.01.1995;1;A;1;01.01.1930\n"
                   "01.01.1991;;0;B;2;01.01.1940\n"
                   "05.05.1992;01.01.1991;1;A;2;01.01.1950\n");
        file.close();
        CEventDataFrame* data = OpenData(path);
        QCOMPARE(data->view()->data().analysis.TotalRecordsValid(), 0);
        for (int id : {command::kComputeLifeTable, command::kComputeProductLimit, command::kComputePeriodAnalysis,
                       command::kComputeTrend, command::kComputeSmrSir}) {
            messages.shown.clear();
            QVERIFY(mainFrame->command(id)->isEnabled());
            QVERIFY(!Run(id, [](QWidget* dialog) { Click(dialog, button::kCancel); }));
            QCOMPARE(messages.shown, QStringList{QStringLiteral("No valid cases available for analysis! ")});
        }
        QCOMPARE(mainFrame->mdiArea()->subWindowList().size(), 1);
    }

    void RefusedOrCancelledOpensNoWindow()
    {
        OpenExample();
        QVERIFY(Run(command::kComputeTrend, [](QWidget* dialog) {
            CommonChoices(dialog, ParameterDialog::kTimeUnit, QString());
            Choose(dialog, ParameterDialog::kTimeUnit, QStringLiteral("Month"));
            Click(dialog, button::kOk);
            QVERIFY(dialog->isVisible());  // refused with the choices still there
            Click(dialog, button::kCancel);
        }));
        QCOMPARE(messages.shown, QStringList{QStringLiteral("Analysis for non-year intervals under construction!")});
        for (int id : {command::kComputeLifeTable, command::kComputeProductLimit, command::kComputePeriodAnalysis,
                       command::kComputeTrend, command::kComputeSmrSir})
            QVERIFY(Run(id, [](QWidget* dialog) { Click(dialog, button::kCancel); }));
        QCOMPARE(mainFrame->mdiArea()->subWindowList().size(), 1);
        QCOMPARE(messages.shown.size(), 1);
    }

    // A trend with another unit than years is refused as the dialog's OK
    // is pressed; the dialog stays with every choice, and OK with Year then
    // computes them.
    void ANonYearTrendKeepsTheDialogWithItsChoices()
    {
        OpenExample();
        QVERIFY(Run(command::kComputeTrend, [this](QWidget* dialog) {
            CommonChoices(dialog, ParameterDialog::kTimeUnit, QStringLiteral("Hakulinen"));
            Choose(dialog, ParameterDialog::kTimeUnit, QStringLiteral("Week"));
            Choose(dialog, ParameterDialog::kTechnique, QStringLiteral("Product-limit"));
            Choose(dialog, Shared::kConfidence, QStringLiteral(".99"));
            SetChecked(dialog, Shared::kStratified, false);
            Click(dialog, button::kOk);
            QCOMPARE(messages.shown, QStringList{QStringLiteral("Analysis for non-year intervals under construction!")});
            QVERIFY(dialog->isVisible());
            QCOMPARE(dialog->focusWidget(), Control<QWidget>(dialog, ParameterDialog::kTimeUnit));
            QCOMPARE(Control<QComboBox>(dialog, ParameterDialog::kTimeUnit)->currentText(), QStringLiteral("Week"));
            QCOMPARE(Control<QComboBox>(dialog, ParameterDialog::kTechnique)->currentText(),
                     QStringLiteral("Product-limit"));
            QCOMPARE(Control<QComboBox>(dialog, Shared::kConfidence)->currentText(), QStringLiteral(".99"));
            QVERIFY(!Control<QCheckBox>(dialog, Shared::kStratified)->isChecked());
            QVERIFY(Control<QCheckBox>(dialog, Shared::kRelativeSurvival)->isChecked());
            QCOMPARE(Control<QComboBox>(dialog, Shared::kMethod)->currentText(), QStringLiteral("Hakulinen"));
            QVERIFY(Windows<CResultFrame>().isEmpty());
            messages.shown.clear();
            Choose(dialog, ParameterDialog::kTimeUnit, QStringLiteral("Year"));
            Accept(dialog);
        }));
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(Windows<CResultFrame>().size(), 1);
        const QByteArray expected =
            BatchReport({kSource, "--group", "4", "--sex", "5", "--birth", "6", "--event", "1", "--analysis", "trend",
                         "--technique", "productlimit", "--ci", ".99", "--no-stratified", "--relative", "--method",
                         "hakulinen", "--male", "1"});
        QVERIFY(!expected.isEmpty());
        QCOMPARE(QByteArray::fromStdString(Windows<CResultFrame>().back()->view()->reportText()), expected);
    }

    // Before any choice the dialogs propose the usual codings: the event "1"
    // of the status codes "0" and "1" and 1 = male of the sex codes "1" and
    // "2", whatever the first case holds; OK then gives kalderon-batch's
    // report of the same defaults.  The next dialog opens at the last choice.
    void TheDialogsProposeTheUsualCodings()
    {
        const QString path = folder.filePath(QStringLiteral("alive-woman-first.txt"));
        {
            QFile source(SourcePath(kSource));
            QFile file(path);
            QVERIFY(source.open(QIODevice::ReadOnly) && file.open(QIODevice::WriteOnly));
            file.write("01.03.1983;01.03.1993;0;62-70;2;01.03.1918\n" + source.readAll());
        }
        OpenData(path);
        const auto proposed = [](const QString& event) {
            return [event](QWidget* dialog) {
                QCOMPARE(Control<QComboBox>(dialog, Shared::kEventCode)->currentText(), event);
                QCOMPARE(Control<QComboBox>(dialog, Shared::kSexCodes)->currentText(), QStringLiteral("1"));
                QVERIFY(Control<QRadioButton>(dialog, Shared::kMale)->isChecked());
                QVERIFY(Control<QCheckBox>(dialog, Shared::kRelativeSurvival)->isChecked());
                SetChecked(dialog, Shared::kCompareGroups, false);
                Accept(dialog);
            };
        };
        QVERIFY(Run(command::kComputeLifeTable, proposed(QStringLiteral("1"))));
        const std::string report = Windows<CResultFrame>().back()->view()->reportText();
        QVERIFY(report.find("Coding of event of interest: 1\n") != std::string::npos);
        QVERIFY(report.find("Coding of sex:               Male = 1, Female = 2\n") != std::string::npos);
        QCOMPARE(QByteArray::fromStdString(report),
                 BatchReport({path, "--group", "4", "--sex", "5", "--birth", "6", "--relative"}));

        QVERIFY(Run(command::kComputeProductLimit, [](QWidget* dialog) {
            Choose(dialog, Shared::kEventCode, QStringLiteral("0"));
            Accept(dialog);
        }));
        QVERIFY(Run(command::kComputeLifeTable, proposed(QStringLiteral("0"))));
        QVERIFY(messages.shown.isEmpty());
    }

    // The checks of the survival at chosen times, the conditional survival
    // and the restricted mean come off, with the edits greyed and holding the
    // defaults of the unit; OK gives kalderon-batch's report of the same
    // options and a second chart window of the conditional curves.  A life
    // table's time that is no interval end keeps the dialog open with its
    // message.
    void SurvivalSummariesAsKalderonBatchComputesThem()
    {
        using Rows = SurvivalSummaryRows;
        OpenExample();
        const qsizetype charts = Windows<CLifeTableChartFrame>().size();
        QVERIFY(Run(command::kComputeProductLimit, [](QWidget* dialog) {
            CommonChoices(dialog, ProductLimitParameterDialog::kTimeScale, {});
            QCOMPARE(Control<QCheckBox>(dialog, Rows::kSurvivalAt)->text(), QStringLiteral("Sur&vival at (years):"));
            QVERIFY(!Control<QCheckBox>(dialog, Rows::kSurvivalAt)->isChecked());
            QCOMPARE(Control<QLineEdit>(dialog, Rows::kSurvivalAtTimes)->text(), QStringLiteral("1, 3, 5, 10"));
            QVERIFY(!Control<QLineEdit>(dialog, Rows::kSurvivalAtTimes)->isEnabled());
            Choose(dialog, ProductLimitParameterDialog::kTimeScale, QStringLiteral("Month"));
            QCOMPARE(Control<QCheckBox>(dialog, Rows::kSurvivalAt)->text(), QStringLiteral("Sur&vival at (months):"));
            QCOMPARE(Control<QLineEdit>(dialog, Rows::kSurvivalAtTimes)->text(), QStringLiteral("12, 36, 60, 120"));
            QCOMPARE(Control<QLineEdit>(dialog, Rows::kConditionalFrom)->text(), QStringLiteral("12"));
            Choose(dialog, ProductLimitParameterDialog::kTimeScale, QStringLiteral("Year"));
            for (const int check : {Rows::kSurvivalAt, Rows::kConditional, Rows::kRestrictedMean})
                SetChecked(dialog, check);
            QVERIFY(Control<QLineEdit>(dialog, Rows::kSurvivalAtTimes)->isEnabled());
            SetText(dialog, Rows::kConditionalFrom, QStringLiteral("2"));
            SetText(dialog, Rows::kRestrictionTime, QStringLiteral("10"));
            Accept(dialog);
        }));
        QVERIFY2(messages.shown.isEmpty(), qPrintable(messages.shown.join(QLatin1Char('\n'))));
        const QByteArray expected =
            BatchReport({kSource, "--group", "4", "--sex", "5", "--birth", "6", "--event", "1", "--analysis",
                         "productlimit", "--compare", "--at",
                         "1,3,5,10", "--conditional", "2", "--rmst", "10"});
        QVERIFY(expected.contains("\r\nRestricted mean survival time\r\n"));
        QCOMPARE(QByteArray::fromStdString(Windows<CResultFrame>().back()->view()->reportText()), expected);
        QCOMPARE(Windows<CLifeTableChartFrame>().size(), charts + 2);

        QVERIFY(Run(command::kComputeLifeTable, [this](QWidget* dialog) {
            CommonChoices(dialog, ParameterDialog::kTimeUnit, {});
            QVERIFY(!dialog->findChild<QWidget*>(ControlName(Rows::kRestrictedMean)));
            SetChecked(dialog, Rows::kSurvivalAt);
            SetText(dialog, Rows::kSurvivalAtTimes, QStringLiteral("1, 2.5"));
            Click(dialog, button::kOk);
            QVERIFY(dialog->isVisible());
            QCOMPARE(messages.shown, QStringList({"Survival at 2.5: a life table gives survival only at the end of "
                                                  "its intervals, at whole time units."}));
            QCOMPARE(dialog->focusWidget(), Control<QWidget>(dialog, Rows::kSurvivalAtTimes));
            messages.shown.clear();
            SetText(dialog, Rows::kSurvivalAtTimes, QStringLiteral("1, 2"));
            SetChecked(dialog, Shared::kCompareGroups, false);
            Accept(dialog);
        }));
        QCOMPARE(QByteArray::fromStdString(Windows<CResultFrame>().back()->view()->reportText()),
                 BatchReport({kSource, "--group", "4", "--sex", "5", "--birth", "6", "--event", "1", "--at", "1,2"}));
    }

    void APeriodWithoutResultsOpensItsWindowsAndSaysWhy()
    {
        const auto period = [](const QString& technique, const QString& begin, const QString& end) {
            return [=](QWidget* dialog) {
                CommonChoices(dialog, ParameterDialog::kTimeUnit, QString());
                Choose(dialog, ParameterDialog::kTechnique, technique);
                SetText(dialog, ParameterDialog::kPeriodBegin, begin);
                SetText(dialog, ParameterDialog::kPeriodEnd, end);
                Accept(dialog);
            };
        };
        // rdata's cases all began before 1990: the life table technique has
        // no first interval; the product-limit technique takes them in.
        OpenExample();
        const QString lifeTable = QStringLiteral("Life table"), productLimit = QStringLiteral("Product-limit");
        QVERIFY(Run(command::kComputePeriodAnalysis, period(lifeTable, "01.01.1990", "31.12.1994")));
        QCOMPARE(Windows<CResultFrame>().size(), 1);
        QCOMPARE(Windows<CLifeTableChartFrame>().size(), 1);
        QCOMPARE(messages.shown, QStringList{QStringLiteral(
                                     "No case begins its follow-up in the period of interest 01.01.1990 to "
                                     "31.12.1994, so no case enters the first interval of the life table technique.")});
        messages.shown.clear();
        QVERIFY(Run(command::kComputePeriodAnalysis, period(productLimit, "01.01.1990", "31.12.1994")));
        QCOMPARE(Windows<CResultFrame>().size(), 2);
        QVERIFY(messages.shown.isEmpty());

        // Nobody is under follow-up between the two runs of diagnoses.
        const QString path = folder.filePath(QStringLiteral("gap.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("01.02.1990;01.03.1991;1;A;1;01.01.1930\n"
                   "01.01.2000;31.12.2001;0;B;2;01.01.1940\n");
        file.close();
        OpenData(path);
        for (const QString& technique : {lifeTable, productLimit}) {
            messages.shown.clear();
            QVERIFY(Run(command::kComputePeriodAnalysis, period(technique, "15.06.1994", "01.01.1996")));
            QCOMPARE(messages.shown, QStringList{QStringLiteral("No case is under follow-up in the period of "
                                                                "interest 01.01.1994 to 31.12.1996.")});
        }
        QCOMPARE(Windows<CResultFrame>().size(), 4);
    }

    // Event 1 against the competing event 2 at the event days in months,
    // stratified: kalderon-batch's report with Gray's tests, the windows
    // titled for the analysis and the chart of kind 4.  A code checked in
    // both lists keeps the dialog open with the core's message.
    void CumulativeIncidenceAsKalderonBatchComputesIt()
    {
        const QString path = SourcePath(QStringLiteral("tests/data/cuminc/rdata3.txt"));
        OpenData(path);
        QVERIFY(Run(command::kComputeCumulativeIncidence, [this](QWidget* dialog) {
            using Dialog = IncidenceParameterDialog;
            QCOMPARE(dialog->objectName(), ControlName(Dialog::kDialog));
            QCOMPARE(HelpTopicOf(dialog), QStringLiteral("competing_risks"));
            QCOMPARE(Control<QListWidget>(dialog, Dialog::kEventCodes)->count(), 3);
            QVERIFY(Control<QCheckBox>(dialog, Shared::kStratified)->isChecked());
            Choose(dialog, Dialog::kTimeUnit, QStringLiteral("Month"));
            Choose(dialog, Dialog::kTechnique, QStringLiteral("Product-limit"));
            Choose(dialog, Shared::kConfidence, QStringLiteral(".99"));
            CheckCode(dialog, Dialog::kEventCodes, QStringLiteral("1"));
            CheckCode(dialog, Dialog::kCompetingCodes, QStringLiteral("1"));
            Click(dialog, button::kOk);
            QVERIFY(dialog->isVisible());
            QCOMPARE(messages.shown, QStringList{QStringLiteral("The status code 1 is named twice!")});
            messages.shown.clear();
            CheckCode(dialog, Dialog::kCompetingCodes, QStringLiteral("1"), false);
            CheckCode(dialog, Dialog::kCompetingCodes, QStringLiteral("2"));
            Accept(dialog);
        }));
        QVERIFY2(messages.shown.isEmpty(), qPrintable(messages.shown.join(QLatin1Char('\n'))));
        const QByteArray expected =
            BatchReport({path, "--group", "4", "--sex", "5", "--birth", "6", "--analysis", "cuminc", "--event", "1",
                         "--competing", "2", "--technique", "productlimit", "--unit", "month", "--ci", ".99"});
        QVERIFY(expected.contains("\r\nGray's test of equal cumulative incidence in the groups\r\n"));
        QVERIFY(expected.contains("\r\ntime [months] at risk   events"));
        CResultFrame* result = Windows<CResultFrame>().back();
        QCOMPARE(QByteArray::fromStdString(result->view()->reportText()), expected);
        const QString title = QStringLiteral("  ") + path;
        QCOMPARE(result->windowTitle(), UiString(431) + title);
        QCOMPARE(result->resourceId(), 430);
        CLifeTableChartFrame* chart = Windows<CLifeTableChartFrame>().back();
        QCOMPARE(chart->view()->chart().chartKind, kChartCumulativeIncidence);
        QCOMPARE(chart->windowTitle(), UiString(433) + title);
        QCOMPARE(chart->resourceId(), 432);
        QCOMPARE(chart->view()->accessibleName(), QStringLiteral("Incidence chart (Cumulative incidence)"));
        QCOMPARE(CopiedCommandReport(*mainFrame, result), expected);

        // The next dialog on the data set comes with the codes of this run.
        QVERIFY(Run(command::kComputeCumulativeIncidence, [](QWidget* dialog) {
            const auto checked = [dialog](int listId) {
                QStringList codes;
                const auto* list = Control<QListWidget>(dialog, listId);
                for (int i = 0; i < list->count(); ++i)
                    if (list->item(i)->checkState() == Qt::Checked) codes << list->item(i)->text();
                return codes;
            };
            QCOMPARE(checked(IncidenceParameterDialog::kEventCodes), QStringList{"1"});
            QCOMPARE(checked(IncidenceParameterDialog::kCompetingCodes), QStringList{"2"});
            Click(dialog, button::kCancel);
        }));
    }

    // Age, sex as a factor with its reference chosen among its levels and
    // the age group, curves by age group at age 60, in months: the report of
    // kalderon-batch with the covariates in the list's order, the windows
    // titled for the model and the chart of its kind.  Without a covariate
    // the dialog stays open.
    void CoxRegressionAsKalderonBatchComputesIt()
    {
        OpenExample();
        QVERIFY(Run(command::kComputeCoxRegression, [this](QWidget* dialog) {
            using Dialog = CoxParameterDialog;
            QCOMPARE(dialog->objectName(), ControlName(Dialog::kDialog));
            QCOMPARE(HelpTopicOf(dialog), QStringLiteral("cox_regression"));
            Click(dialog, button::kOk);
            QVERIFY(dialog->isVisible());
            QCOMPARE(messages.shown, QStringList{QStringLiteral("Choose at least one covariate!")});
            messages.shown.clear();
            for (const char* field : {"age", "F5", "F4"}) CheckCode(dialog, Dialog::kCovariates, QLatin1String(field));
            CheckCode(dialog, Dialog::kFactors, QStringLiteral("F5"));
            Choose(dialog, Dialog::kCurvesBy, QStringLiteral("F4"));
            Choose(dialog, Dialog::kTies, QStringLiteral("Breslow"));
            Choose(dialog, Dialog::kTimeUnit, QStringLiteral("Month"));
            // The levels of F5 in the group list's order; a level chosen and
            // a number typed are kept for their fields.
            Choose(dialog, Dialog::kReferenceField, QStringLiteral("F5"));
            auto* levels = Control<QComboBox>(dialog, Dialog::kReferences);
            QCOMPARE(levels->count(), 3);
            QCOMPARE(levels->itemText(2), QStringLiteral("2"));
            Choose(dialog, Dialog::kReferences, QStringLiteral("2"));
            Choose(dialog, Dialog::kCurveValueField, QStringLiteral("age"));
            Control<QComboBox>(dialog, Dialog::kCurveValue)->setEditText(QStringLiteral("60"));
            Choose(dialog, Dialog::kCurveValueField, QStringLiteral("F5"));
            Choose(dialog, Dialog::kReferenceField, QStringLiteral("F4"));
            Accept(dialog);
        }));
        QVERIFY2(messages.shown.isEmpty(), qPrintable(messages.shown.join(QLatin1Char('\n'))));
        const QByteArray expected = BatchReport(
            {kSource, "--group", "4", "--sex", "5", "--birth", "6", "--analysis", "cox", "--covariates", "age,4,5",
             "--factor", "5", "--curves-by", "4", "--ties", "breslow", "--unit", "month", "--reference", "5=2",
             "--curve-values", "age=60"});
        QVERIFY(expected.contains("Tied event times: Breslow\r\n"));
        QVERIFY(expected.contains("F5=1  "));
        QVERIFY(expected.contains("at their means but age=60\r\n"));
        QVERIFY(expected.contains("time [months]"));
        CResultFrame* result = Windows<CResultFrame>().back();
        QCOMPARE(QByteArray::fromStdString(result->view()->reportText()), expected);
        const QString title = QStringLiteral("  ") + kSource;
        QCOMPARE(result->windowTitle(), UiString(435) + title);
        CLifeTableChartFrame* chart = Windows<CLifeTableChartFrame>().back();
        QCOMPARE(chart->view()->chart().chartKind, kChartCoxRegression);
        QCOMPARE(chart->view()->chart().seriesCount, 4);
        QCOMPARE(chart->windowTitle(), UiString(437) + title);
        QCOMPARE(CopiedCommandReport(*mainFrame, result), expected);
    }

    void ResultsOutliveTheDataWindow()
    {
        CEventDataFrame* data = OpenExample();
        QVERIFY(Run(command::kComputeProductLimit, ProductLimitDialog({})));
        QVERIFY(Run(command::kComputeLifeTable, LifeTableDialog("Ederer II")));
        const std::string first = Windows<CResultFrame>().front()->view()->reportText();
        const std::string second = Windows<CResultFrame>().back()->view()->reportText();
        QVERIFY(first != second);
        QVERIFY(data->close());
        delete data;
        QCOMPARE(Windows<CResultFrame>().size(), 2);
        QCOMPARE(Windows<CLifeTableChartFrame>().size(), 2);
        QCOMPARE(Windows<CResultFrame>().front()->view()->reportText(), first);
        QCOMPARE(Windows<CResultFrame>().back()->view()->reportText(), second);
        QVERIFY(messages.shown.isEmpty());
    }
};

}  // namespace kalderon::testing

QTEST_MAIN(kalderon::testing::ComputeCommandsTest)
#include "ComputeCommandsTest.moc"
