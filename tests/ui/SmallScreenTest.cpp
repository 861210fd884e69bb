// Every dialog at 200 % on a screen of 1400 by 900 pixels (700 by 450 at
// that scale): it opens inside the screen, its buttons can be reached and
// it can be resized.  With KALDERON_SMALL_SCREEN_IMAGES=FOLDER the dialogs
// are also saved there as small-screen-*.png.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QWizard>
#include <QtTest>
#include <clocale>
#include <functional>

#include "analysis/ui/ParameterDialog.h"
#include "analysis/ui/ProductLimitParameterDialog.h"
#include "analysis/ui/SmrParameterDialog.h"
#include "app/CAboutDlg.h"
#include "charts/ChartProfile.h"
#include "charts/qt/ChartImage.h"
#include "charts/ui/ChartAxisDialog.h"
#include "charts/ui/ChartTitleDialog.h"
#include "charts/ui/DataSeriesDialog.h"
#include "charts/ui/GroupLabelsDialog.h"
#include "charts/ui/LegendDialog.h"
#include "charts/ui/LineStyleDialog.h"
#include "charts/ui/MarkerStyleDialog.h"
#include "charts/ui/ResetChartDefaultsDialog.h"
#include "common/ui/AppServices.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"
#include "import/ColumnSelectionRules.h"
#include "import/DatabaseImport.h"
#include "import/TextFileReader.h"
#include "import/ui/CChooseTableDlg.h"
#include "import/ui/CColumnSelectionDlg.h"
#include "import/ui/CTextImportPage1.h"
#include "import/ui/CTextImportSheet.h"
#include "support/ExampleAnalyses.h"
#include "support/GuiTestSupport.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessages.h"

namespace kalderon::testing {

class SmallScreenTest : public QObject {
    Q_OBJECT

    ScriptedMessages messages;
    ScriptedFileDialogs fileDialogs;
    AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};
    QStringList checked;

    // Shows the dialog and checks it; `buttonIds` name the buttons that must
    // be reachable.
    void Check(QDialog& dialog, const QString& name, std::initializer_list<int> buttonIds)
    {
        dialog.show();
        QApplication::processEvents();
        const QRect room = dialog.screen()->availableGeometry();
        QVERIFY2(room.contains(dialog.frameGeometry()), qPrintable(name));
        QVERIFY2(dialog.frameGeometry().height() > dialog.height(), qPrintable(name));  // a title bar was allowed for
        QVERIFY2(dialog.minimumSize() != dialog.maximumSize(), qPrintable(name));
        for (int id : buttonIds) {
            auto* button = Control<QAbstractButton>(&dialog, id);
            QVERIFY2(button->isVisible(), qPrintable(name));
            // Wholly shown, not cut by a scroll area or the dialog's edge.
            QCOMPARE(button->visibleRegion().boundingRect(), button->rect());
            const QRect onScreen(button->mapToGlobal(QPoint(0, 0)), button->size());
            QVERIFY2(room.contains(onScreen), qPrintable(name));
        }
        const QByteArray folder = qgetenv("KALDERON_SMALL_SCREEN_IMAGES");
        if (!folder.isEmpty())
            QVERIFY(dialog.grab().save(QDir(QString::fromLocal8Bit(folder)).filePath("small-screen-" + name + ".png")));
        dialog.hide();
        checked << name;
    }

private slots:
    void initTestCase()
    {
        std::setlocale(LC_NUMERIC, "C");
        std::setlocale(LC_TIME, "C");
        UseTemporarySettings();
        QCOMPARE(QApplication::primaryScreen()->availableGeometry().size(), QSize(700, 450));
        services.paths.lifeTables = SourcePath(QStringLiteral("data/LifeTables.mdb"));
        services.paths.referenceRateTables = SourcePath(QStringLiteral("data/ReferenceRateTables.mdb"));
    }

    void TheParameterDialogs()
    {
        TextImportSettings settings;
        settings.useGroup = settings.useSex = settings.useBirth = true;
        ReadResult<DataSet> read = ReadTextFile(PathBytes(SourcePath("data/examples/colrec.txt")), settings);
        QVERIFY(read.ok());
        DataSet& data = *read;
        data.analysis.PrepareTimeWindow();
        const std::initializer_list<int> buttons = {button::kOk, button::kCancel, button::kHelp};
        const char* const names[] = {"parameters-life-table", "parameters-period-analysis", "parameters-trend"};
        for (AnalysisKind mode : {kLifeTable, kPeriodAnalysis, kTrend}) {
            ParameterDialog dialog(data.analysis, data.cases, mode, true, true, services);
            Choose(&dialog, ParameterDialogBase::kMethod, QStringLiteral("Hakulinen"));
            Check(dialog, QString::fromLatin1(names[mode]), buttons);
        }
        ProductLimitParameterDialog productLimit(data.analysis, data.cases, true, true, services);
        Check(productLimit, QStringLiteral("parameters-product-limit"), buttons);
        SmrParameterDialog smr(data.analysis, data.cases, true, services);
        Check(smr, QStringLiteral("parameters-smr"), buttons);
        QVERIFY(messages.shown.isEmpty());
    }

    void TheTextImportWizardOnEveryPage()
    {
        CTextImportSheet sheet(SourcePath(QStringLiteral("data/examples/colrec.txt")), messages);
        Check(sheet, QStringLiteral("wizard-1-format"), {CTextImportSheet::kNextButton, button::kCancel});
        sheet.show();
        sheet.next();
        Check(sheet, QStringLiteral("wizard-2a-separator"),
              {CTextImportSheet::kBackButton, CTextImportSheet::kNextButton, button::kCancel});
        sheet.show();
        sheet.next();
        Check(sheet, QStringLiteral("wizard-3a-columns"),
              {CTextImportSheet::kBackButton, CTextImportSheet::kFinishButton, button::kCancel});
        sheet.show();
        sheet.back();
        sheet.back();
        sheet.page1()->format = 1;
        sheet.next();
        Check(sheet, QStringLiteral("wizard-2b-fixed"),
              {CTextImportSheet::kBackButton, CTextImportSheet::kFinishButton, button::kCancel});
    }

    void TheImportAndAboutDialogs()
    {
        const std::vector<std::string> fields = {"CaseNo", "BeginFU", "EndFU", "Status", "Stage", "Sex", "Birth"};
        CColumnSelectionDlg columns(BuildColumnTexts(fields), messages);
        Click(&columns, CColumnSelectionDlg::kSeparateRadio);
        Check(columns, QStringLiteral("column-selection"), {button::kOk, button::kCancel, button::kHelp});
        CChooseTableDlg tables({"Alpha cases", "Mid", "Zeta"});
        Check(tables, QStringLiteral("choose-table"), {button::kOk, button::kCancel});
        CAboutDlg about(services.paths);
        Check(about, QStringLiteral("about"), {button::kOk});
    }

    void TheChartOptionDialogs()
    {
        const DataSet data = ExampleAnalysis(kProductLimit);
        MemoryChartProfile profile;
        LifeTableChart chart;
        chart.InitFromAnalysis(data.analysis, kChartProductLimit, 5, profile);
        RenderChartImage(chart, 600, 400);
        const std::initializer_list<int> buttons = {button::kOk, button::kCancel};
        ChartTitleDialog title(chart, profile, services);
        Check(title, QStringLiteral("chart-title"), buttons);
        ChartAxisDialog axis(chart, chart.survivalAxis, profile, services);
        Check(axis, QStringLiteral("chart-axis"), buttons);
        LegendDialog legend(chart, profile, services);
        Check(legend, QStringLiteral("chart-legend"), buttons);
        std::vector<GroupLabel> labels;
        for (const CGroupResult& group : chart.analysis.groupResults) labels.emplace_back(group.info.code, group.info.label);
        GroupLabelsDialog groupLabels(labels, services);
        Check(groupLabels, QStringLiteral("chart-group-labels"), buttons);
        DataSeriesDialog series(chart, profile, services);
        Check(series, QStringLiteral("chart-data-series"), buttons);
        CLineStyle line = chart.seriesStyles[0].ciLine;
        LineStyleDialog lineStyle(line, services);
        Check(lineStyle, QStringLiteral("chart-line-style"), buttons);
        CMarkerStyle marker = chart.seriesStyles[0].marker;
        MarkerStyleDialog markerStyle(marker, services);
        Check(markerStyle, QStringLiteral("chart-marker-style"), buttons);
        ResetChartDefaultsDialog reset(profile, services);
        Check(reset, QStringLiteral("chart-reset-defaults"), buttons);
    }

    void cleanupTestCase() { QCOMPARE(checked.size(), 20); }
};

}  // namespace kalderon::testing

// The screen is set before the application starts: 1400 by 900 pixels at
// twice the size.
int main(int argc, char** argv)
{
    const QString config = QDir::temp().filePath(QStringLiteral("kalderon-small-screen-%1.json").arg(QCoreApplication::applicationPid()));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(config));
    file.write(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 1400, "height": 900,)"
               R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", "2");
    int result = 0;
    {
        QApplication application(argc, argv);
        kalderon::testing::SmallScreenTest test;
        result = QTest::qExec(&test, argc, argv);
    }
    QFile::remove(config);
    return result;
}

#include "SmallScreenTest.moc"
