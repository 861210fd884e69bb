#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QtTest>
#include <clocale>
#include <ctime>
#include <memory>

#include "analysis/ui/ParameterDialogBase.h"
#include "app/CEventDataFrame.h"
#include "app/CLifeTableChartFrame.h"
#include "app/CMainFrame.h"
#include "app/CResultFrame.h"
#include "charts/ui/CLifeTableChartView.h"
#include "common/qt/DisplayText.h"
#include "common/ui/HelpKey.h"
#include "common/ui/MainStatusBar.h"
#include "common/ui/UiText.h"
#include "import/ui/CEventDataView.h"
#include "import/ui/CFullRowListCtrl.h"
#include "import/ui/CaseListModel.h"
#include "resources/Texts.h"
#include "results/ui/CResultEditView.h"
#include "support/BatchReport.h"
#include "support/CopiedCommand.h"
#include "support/CaseChoiceSteps.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessages.h"

namespace kalderon::testing {
namespace {

const QString kSource = QStringLiteral("data/examples/rdata.txt");
const QString kAgeBands = QString::fromUtf8(text::kAgeBandsEntry);

}  // namespace

// The Data menu of a data window drives which cases the Compute commands
// analyse and how they are grouped; the results are kalderon-batch's for
// the same choice.
class CaseChoiceTest : public QObject {
    Q_OBJECT

    ScriptedMessages messages;
    ScriptedFileDialogs fileDialogs;
    AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};
    std::unique_ptr<CMainFrame> mainFrame;
    CEventDataFrame* data = nullptr;

    bool Run(int id, ModalScript::Action action)
    {
        mainFrame->mdiArea()->setActiveSubWindow(data);
        ModalScript script({std::move(action)});
        mainFrame->command(id)->trigger();
        return script.finished();
    }

    // Computes the life table (event 1, yearly, stratified) and gives its
    // report, which the window's command line writes too.
    QByteArray LifeTable(const std::function<void(QWidget*)>& check = {})
    {
        const bool ran = Run(command::kComputeLifeTable, [&](QWidget* dialog) {
            Choose(dialog, ParameterDialogBase::kEventCode, QStringLiteral("1"));
            SetChecked(dialog, ParameterDialogBase::kRelativeSurvival, false);
            SetChecked(dialog, ParameterDialogBase::kCompareGroups, false);
            if (check) check(dialog);
            Click(dialog, button::kOk);
        });
        if (!ran) return {};
        const QList<QMdiSubWindow*> windows = mainFrame->mdiArea()->subWindowList();
        for (auto it = windows.rbegin(); it != windows.rend(); ++it)
            if (auto* results = qobject_cast<CResultFrame*>(*it)) {
                const QByteArray report = QByteArray::fromStdString(results->view()->reportText());
                return CopiedCommandReport(*mainFrame, results) == report ? report : QByteArray("command differs");
            }
        return {};
    }

    const CaseListModel* Model() const { return qobject_cast<const CaseListModel*>(data->view()->list()->model()); }

private slots:
    void initTestCase()
    {
        UseBatchReportConditions();
        services.paths.lifeTables = SourcePath(QStringLiteral("data/LifeTables.mdb"));
        mainFrame = std::make_unique<CMainFrame>(services);
        mainFrame->show();
        data = mainFrame->NewDataWindow();
        TextImportSettings settings;
        settings.useGroup = settings.useSex = settings.useBirth = true;
        QVERIFY(data->view()->ReadTextFile(PathBytes(SourcePath(kSource)), settings).ok());
        data->SetSource(PathBytes(kSource));
        data->view()->data().source.path = PathBytes(kSource);
        mainFrame->mdiArea()->setActiveSubWindow(data);
    }

    void SelectAndGroupAsKalderonBatchDoes()
    {
        QVERIFY(!mainFrame->command(command::kAllCases)->isEnabled());
        QVERIFY(Run(command::kSelectCases, [](QWidget* dialog) {
            QCOMPARE(HelpTopicOf(dialog), QStringLiteral("selecting_cases"));
            // The codes of field 4 with their counts.
            Choose(dialog, CSelectCasesDlg::kField, QStringLiteral("F4"));
            auto* values = Control<QListWidget>(dialog, CSelectCasesDlg::kValues);
            QCOMPARE(values->count(), 4);
            QCOMPARE(values->item(0)->text(), QStringLiteral("54-61 (256)"));
            QCOMPARE(values->item(3)->text(), QStringLiteral("<54 (270)"));
            AddRangeCondition(dialog, QStringLiteral("age"), QStringLiteral("40"), QStringLiteral("84"));
            AddRangeCondition(dialog, QStringLiteral("begin-year"), QStringLiteral("1983"), QStringLiteral("1986"));
            // A range that does not read is refused, and nothing added.
            AddRangeCondition(dialog, QStringLiteral("age"), QStringLiteral("forty"), QString());
            CheckValues(dialog, QStringLiteral("F4"), {QStringLiteral("71-95")}, true);
            QCOMPARE(Control<QListWidget>(dialog, CSelectCasesDlg::kConditionList)->count(), 3);
            Click(dialog, button::kOk);
        }));
        QCOMPARE(messages.shown, QStringList{QString::fromUtf8(text::kRangeEndsNotRead)});
        messages.shown.clear();
        QVERIFY(Run(command::kGroupCases, [](QWidget* dialog) {
            ChooseGroupKeys(dialog, QStringLiteral("F4"), {}, QStringLiteral("F5"), {});
            Click(dialog, button::kOk);
        }));
        QVERIFY(mainFrame->command(command::kAllCases)->isEnabled());

        // The data window marks the cases left out and counts the selected ones.
        const CaseListModel* model = Model();
        int leftOut = 0;
        for (int row = 0; row < model->rowCount(); ++row)
            leftOut += model->index(row, 0).data(CaseListModel::kLeftOutCaseRole).toBool() ? 1 : 0;
        QVERIFY(leftOut > 0 && leftOut < model->rowCount());
        QVERIFY(mainFrame->mainStatusBar()->caseCounts().endsWith(
            QStringLiteral("; %1 selected").arg(model->rowCount() - leftOut)));

        // The parameter dialog says so; the report is kalderon-batch's.
        const QByteArray report = LifeTable([&](QWidget* dialog) {
            QCOMPARE(Control<QLabel>(dialog, ParameterDialogBase::kSelectionNote)->text(),
                     QStringLiteral("Only the selected cases are analysed: age=40..84; begin-year=1983..1986; "
                                    "F4!=71-95 (%1 of 1040 cases)")
                         .arg(1040 - leftOut));
        });
        const QStringList selection = {"--where", "age=40..84", "--where", "begin-year=1983..1986", "--where",
                                       "F4!=71-95"};
        const QStringList common = {kSource, "--sex", "5", "--birth", "6", "--event", "1"};
        QCOMPARE(report, BatchReport(common + selection + QStringList{"--group", "4,5"}));
        QVERIFY(report.contains("Selection: age=40..84; begin-year=1983..1986; F4!=71-95\r\n"));
        // The chart's legend names the crossed groups.
        const QList<QMdiSubWindow*> windows = mainFrame->mdiArea()->subWindowList();
        auto* chart = qobject_cast<CLifeTableChartFrame*>(windows.back());
        QVERIFY(chart);
        QCOMPARE(chart->view()->chart().GroupText(0), std::string("54-61 / 1"));

        // ICSS bands crossed with the file's groups.
        QVERIFY(Run(command::kGroupCases, [](QWidget* dialog) {
            ChooseGroupKeys(dialog, QString::fromUtf8(text::kFileGroupsEntry), {}, kAgeBands, QStringLiteral("icss"));
            Click(dialog, button::kOk);
        }));
        QCOMPARE(LifeTable(), BatchReport(common + selection + QStringList{"--group", "4", "--age-groups", "icss"}));
        QCOMPARE(Model()->CellText(0, CaseListModel::kGroup).contains(QStringLiteral(" / ")),
                 !Model()->index(0, 0).data(CaseListModel::kLeftOutCaseRole).toBool());

        // Cut points that do not read keep the dialog open.
        QVERIFY2(messages.shown.isEmpty(), qPrintable(messages.shown.join(QLatin1Char('\n'))));
        bool stayedOpen = false;
        QVERIFY(Run(command::kGroupCases, [&](QWidget* dialog) {
            ChooseGroupKeys(dialog, kAgeBands, QStringLiteral("50,40"), QString::fromUtf8(text::kNoSecondKeyEntry), {});
            Click(dialog, button::kOk);
            stayedOpen = dialog->isVisible();
            SetText(dialog, CGroupCasesDlg::kFirstCuts, QStringLiteral("50,70"));
            Click(dialog, button::kOk);
        }));
        QVERIFY(stayedOpen);
        QCOMPARE(messages.shown,
                 QStringList{QStringLiteral("the cut points \"50,40\" are not whole numbers in ascending order")});
        messages.shown.clear();
        // All cases: every case again, in the bands 0-49, 50-69, 70+.
        mainFrame->command(command::kAllCases)->trigger();
        QVERIFY(!mainFrame->command(command::kAllCases)->isEnabled());
        QCOMPARE(LifeTable(), BatchReport(common + QStringList{"--age-groups", "50,70"}));
        QVERIFY(messages.shown.isEmpty());
    }
};

}  // namespace kalderon::testing

QTEST_MAIN(kalderon::testing::CaseChoiceTest)
#include "CaseChoiceTest.moc"
