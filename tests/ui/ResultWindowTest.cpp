#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QMdiArea>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>
#include <clocale>
#include <ctime>
#include <memory>

#include "../support/ReadOnlyFolder.h"
#include "analysis/ParameterChoices.h"
#include "app/CEventDataFrame.h"
#include "app/CLifeTableChartFrame.h"
#include "app/ChartWindows.h"
#include "app/CMainFrame.h"
#include "app/CResultFrame.h"
#include "app/ResultWindows.h"
#include "common/LineEnds.h"
#include "common/ui/MainStatusBar.h"
#include "common/ui/QtFileDialogs.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"
#include "common/ui/UserProfile.h"
#include "import/PopulationTableLoader.h"
#include "import/TextFileReader.h"
#include "resources/Texts.h"
#include "results/ui/CResultEditView.h"
#include "support/BatchReport.h"
#include "support/GuiTestSupport.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessages.h"

namespace kalderon::testing {
namespace {

// One analysis of the example rdata.txt (grouped, event code 1) as the
// desktop program runs it and as kalderon-batch is told to.
struct ExampleAnalysis {
    const char* name;
    AnalysisKind analysis;
    std::int32_t technique = 0;
    int relative = 0;  // 1 Ederer II, 2 Hakulinen
    bool period = false;
    QStringList batchArguments;
};

const std::vector<ExampleAnalysis>& ExampleAnalyses()
{
    static const std::vector<ExampleAnalysis> analyses = {
        {"life table", kLifeTable, 0, 0, false, {}},
        {"product-limit", kProductLimit, 0, 0, false, {"--analysis", "productlimit"}},
        {"period, life table", kPeriodAnalysis, 0, 0, true,
         {"--analysis", "period", "--period-begin", "01.01.1990", "--period-end", "31.12.1994"}},
        {"period, product-limit", kPeriodAnalysis, 1, 0, true,
         {"--analysis", "period", "--technique", "productlimit", "--period-begin", "01.01.1990", "--period-end",
          "31.12.1994"}},
        {"trend", kTrend, 0, 0, false, {"--analysis", "trend", "--years", "5", "--width", "5"}},
        {"relative, Ederer II", kLifeTable, 0, 1, false, {"--relative", "--male", "1"}},
        {"relative, Hakulinen", kProductLimit, 0, 2, false,
         {"--analysis", "productlimit", "--relative", "--method", "hakulinen", "--male", "1"}},
        {"SMR/SIR", kSmrSir, 0, 0, false, {"--analysis", "smr", "--male", "1"}},
    };
    return analyses;
}

QByteArray ExampleBatchReport(const QStringList& arguments)
{
    return BatchReport(QStringList{"data/examples/rdata.txt", "--group", "4", "--sex", "5", "--birth", "6", "--event", "1"} +
                       arguments);
}

// The lines of a printed PDF file as pdftotext reads them, blanks
// collapsed.
QStringList PrintedLines(const QString& pdf)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!text.waitForFinished()) return {};
    QStringList lines;
    for (const QString& line : QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\n')))
        lines << line.simplified();
    return lines;
}

}  // namespace

class ResultWindowTest : public QObject {
    Q_OBJECT

    ScriptedMessages messages;
    ScriptedFileDialogs fileDialogs;
    AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};
    std::unique_ptr<CMainFrame> mainFrame;
    DataSet rdata;
    QTemporaryDir folder;

    // The record as the parameter dialogs leave it for the analysis.
    CAnalysisData Parameters(const ExampleAnalysis& a)
    {
        CAnalysisData data = rdata.analysis;
        data.periodBegin = a.period ? DateValue::FromYmd(1990, 1, 1) : DateValue();
        data.periodEnd = a.period ? DateValue::FromYmd(1994, 12, 31) : DateValue();
        ApplyParameterChoices(data, ParameterChoices{"1", 0, ".95"});
        data.periodTechnique = a.technique;
        if (a.relative || a.analysis == kSmrSir) {
            const std::string database = PathBytes(
                SourcePath(a.analysis == kSmrSir ? "data/ReferenceRateTables.mdb" : "data/LifeTables.mdb"));
            const ReadResult<std::vector<std::string>> tables = ListPopulationTables(database);
            if (!tables) qFatal("%s", ReaderFaultMessage(tables.fault()).c_str());
            ReadResult<std::vector<CPopulationYearTable>> loaded = LoadPopulationTable(database, tables->front());
            if (!loaded) qFatal("%s", ReaderFaultMessage(loaded.fault()).c_str());
            data.populationTables = std::move(*loaded);
            const auto male = std::find(data.sexCodes.begin(), data.sexCodes.end(), "1") - data.sexCodes.begin();
            ApplyPopulationChoices(data, PopulationChoices{SexCodingChoice{static_cast<std::int32_t>(male), false},
                                                           tables->front()});
        }
        if (a.relative) {
            data.relativeSurvival = 1;
            data.useHakulinen = a.relative == 2 ? 1 : 0;
            data.closingDate = data.lastEndDate;
        }
        return data;
    }

    CResultFrame* Open(const ExampleAnalysis& a, bool compareGroups = false)
    {
        std::optional<AnalysisOutcome> outcome =
            ComputeAnalysis(*mainFrame, Parameters(a), rdata.cases, {a.analysis, true, compareGroups});
        if (!outcome) qFatal("%s refused: %s", a.name, qPrintable(messages.shown.value(messages.shown.size() - 1)));
        return OpenResultWindow(*mainFrame, std::move(outcome->report));
    }

    QList<CResultFrame*> ResultFrames() const
    {
        QList<CResultFrame*> frames;
        for (QMdiSubWindow* child : mainFrame->mdiArea()->subWindowList())
            if (auto* frame = qobject_cast<CResultFrame*>(child)) frames << frame;
        return frames;
    }

    void CloseAll()
    {
        messages.answers.assign(20, Messages::Answer::No);
        QVERIFY(mainFrame->CloseAllChildren());
        messages.answers.clear();
        messages.shown.clear();
    }

private slots:
    void initTestCase()
    {
        UseBatchReportConditions();
        TextImportSettings settings;
        settings.useGroup = settings.useSex = settings.useBirth = true;
        ReadResult<DataSet> read = ReadTextFile(PathBytes(SourcePath("data/examples/rdata.txt")), settings);
        QVERIFY(read.ok());
        rdata = std::move(*read);
        rdata.cases.sourcePath = "data/examples/rdata.txt";
        mainFrame = std::make_unique<CMainFrame>(services);
        mainFrame->show();
    }

    void cleanup() { CloseAll(); }

    void WindowsShowTheBatchReportByteForByte()
    {
        QAccessible::setActive(true);
        for (const ExampleAnalysis& a : ExampleAnalyses()) {
            CResultFrame* frame = Open(a);
            CResultEditView* view = frame->view();
            const QByteArray expected = ExampleBatchReport(a.batchArguments);
            QVERIFY2(!expected.isEmpty(), a.name);
            QCOMPARE(QByteArray::fromStdString(view->reportText()), expected);
            QCOMPARE(view->text(), QString::fromLatin1(expected));
            // What a person copies and what a screen reader reads.
            view->setFocus();
            QTest::keySequence(view, QKeySequence::SelectAll);
            QTest::keySequence(view, QKeySequence::Copy);
            QCOMPARE(QApplication::clipboard()->text(), QString::fromLatin1(expected));
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(view);
            QVERIFY(accessible && accessible->textInterface());
            QCOMPARE(accessible->textInterface()->text(0, accessible->textInterface()->characterCount()),
                     QString::fromLatin1(expected));
        }
        QCOMPARE(ResultFrames().size(), static_cast<qsizetype>(ExampleAnalyses().size()));  // side by side
        QVERIFY(messages.shown.isEmpty());
    }

    void TitlesAndFrames()
    {
        const QString file = QStringLiteral("  data/examples/rdata.txt");
        const QStringList titles = {UiString(401) + file, UiString(425) + file, UiString(411) + file,
                                    UiString(412) + file, UiString(421) + file, UiString(401) + file,
                                    UiString(425) + file, UiString(429) + file};
        const QList<int> frames = {400, 424, 410, 410, 420, 400, 424, 428};
        for (size_t i = 0; i < ExampleAnalyses().size(); ++i) {
            CResultFrame* frame = Open(ExampleAnalyses()[i]);
            QCOMPARE(frame->windowTitle(), titles[static_cast<qsizetype>(i)]);
            QCOMPARE(frame->resourceId(), frames[static_cast<qsizetype>(i)]);
            QCOMPARE(frame->menuId(), resource::kDataMenu);
        }
        QCOMPARE(ResultFrames()[3]->windowTitle(),
                 QStringLiteral(" Results (Period analysis - Product-limit) for  data/examples/rdata.txt"));
    }

    void ARefusedAnalysisOpensNoWindow()
    {
        CAnalysisData data = Parameters(ExampleAnalyses()[4]);
        ApplyParameterChoices(data, ParameterChoices{"1", 1, ".95"});  // months
        QVERIFY(!ComputeAnalysis(*mainFrame, data, rdata.cases, {kTrend, true}));
        QCOMPARE(messages.shown, QStringList{QString::fromLatin1(text::kNonYearTrend)});
        QVERIFY(ResultFrames().isEmpty());
        QCOMPARE(mainFrame->mainStatusBar()->paneText(), QStringLiteral("Ready"));
    }

    void CommandsFollowTheActiveWindow()
    {
        CResultFrame* frame = Open(ExampleAnalyses()[0]);
        QVERIFY(mainFrame->command(command::kSaveAs)->isEnabled());
        QVERIFY(mainFrame->command(command::kPrint)->isEnabled());
        QVERIFY(!mainFrame->command(command::kCopy)->isEnabled());
        QVERIFY(!mainFrame->command(command::kCut)->isEnabled());
        QVERIFY(!mainFrame->command(command::kPaste)->isEnabled());
        QVERIFY(mainFrame->toolBar()->actions().contains(mainFrame->command(command::kPrint)));
        QCOMPARE(mainFrame->command(command::kPrint)->toolTip(), QStringLiteral("Print active window"));

        // A selection made with the keyboard: the first line, copied through Edit > Copy.
        CResultEditView* view = frame->view();
        view->setFocus();
        QTest::keyClick(view, Qt::Key_End, Qt::ShiftModifier);
        QVERIFY(mainFrame->command(command::kCopy)->isEnabled());
        mainFrame->command(command::kCopy)->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Results (Life table / Cutler-Ederer)"));
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Home);
        QCOMPARE(view->cursorPosition(), view->lineStart(1));
        QVERIFY(!mainFrame->command(command::kCopy)->isEnabled());
        QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(view->cursorPosition(), view->characterCount());
        QCOMPARE(view->firstVisibleLine(), view->verticalScrollBar()->maximum());
        QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(view->firstVisibleLine(), 0);

        // A data window leaves the results commands off.
        mainFrame->NewDataWindow();
        QVERIFY(!mainFrame->command(command::kSaveAs)->isEnabled());
        QVERIFY(!mainFrame->command(command::kPrint)->isEnabled());
        mainFrame->mdiArea()->setActiveSubWindow(frame);
        QVERIFY(mainFrame->command(command::kSaveAs)->isEnabled());
        QStringList file;
        for (QAction* entry : mainFrame->menuBar()->actions().front()->menu()->actions())
            file << (entry->isSeparator() ? QStringLiteral("-") : entry->objectName());
        QCOMPARE(file, (QStringList{ControlName(command::kNew), ControlName(command::kOpenDataFile),
                                    ControlName(command::kOpenChart), ControlName(command::kOpenAnalysis),
                                    ControlName(command::kResetDefaults), ControlName(command::kClose),
                                    ControlName(command::kSaveAs), ControlName(command::kSaveAnalysis), "-",
                                    ControlName(command::kPageSetup), ControlName(command::kPrintPreview),
                                    ControlName(command::kPrint), "-", ControlName(command::kExit)}));
    }

    void SavingWritesTheExportOrTheReport()
    {
        CResultFrame* frame = Open(ExampleAnalyses()[0]);
        CResultEditView* view = frame->view();
        const QString title = frame->windowTitle();
        const QString dataFolder = LastImportDir();
        for (const char* name : {"groups.csv", "GROUPS.CSV"}) {
            fileDialogs.saveChoice = folder.filePath(QString::fromLatin1(name));
            QCOMPARE(view->SaveAs(), 1);
            const QByteArray written = [&] {
                QFile file(fileDialogs.saveChoice);
                file.open(QIODevice::ReadOnly);
                return file.readAll();
            }();
            QCOMPARE(written, QByteArray::fromStdString(ToCrLf(view->exportText())));
            QVERIFY(written.startsWith("Group;Interval of follow-up;"));
            QVERIFY(written.contains("\r\n62-70;1;"));
            QVERIFY(!written.contains("\r\r"));
            QCOMPARE(frame->windowTitle(), title);  // a .csv file does not name the window
            QVERIFY(view->savedPath().empty());
        }
        // The report's file types, then the workbook.
        QCOMPARE(fileDialogs.lastFilter, UiString(201).chopped(1) + QStringLiteral("Excel workbook (*.xlsx)|*.xlsx||"));
        QCOMPARE(fileDialogs.lastSuffix, QStringLiteral("TXT"));
        // The dialog starts in the folder of the last report or export, with
        // a name from the window title; the data folder stays as it was.
        QCOMPARE(fileDialogs.lastDirectory, folder.path() + '/' + SuggestedFileName(title));
        QCOMPARE(OpenUserProfile()->value(QStringLiteral("Settings/LastReportDir")).toString(), folder.path() + '/');
        QCOMPARE(LastImportDir(), dataFolder);
        QCOMPARE(view->unsavedFlag(), 0);

        fileDialogs.saveChoice = folder.filePath(QStringLiteral("report.txt"));
        QCOMPARE(view->SaveAs(), 1);
        QFile report(fileDialogs.saveChoice);
        QVERIFY(report.open(QIODevice::ReadOnly));
        QCOMPARE(report.readAll(), QByteArray::fromStdString(view->reportText()));
        QCOMPARE(frame->windowTitle(), fileDialogs.saveChoice + QStringLiteral(" - ") + title);  // file and analysis
        QCOMPARE(QString::fromStdString(view->savedPath()), fileDialogs.saveChoice);
        fileDialogs.saveChoice = folder.filePath(QStringLiteral("again.txt"));
        QCOMPARE(view->SaveAs(), 1);
        QCOMPARE(frame->windowTitle(), fileDialogs.saveChoice + QStringLiteral(" - ") + title);

        fileDialogs.saveChoice.clear();  // Cancel in the file dialog
        QCOMPARE(view->SaveAs(), 0);
    }

    void SuggestedFileNamesComeFromTheWindowTitle()
    {
        const std::pair<QString, QString> titles[] = {
            {"Results (Life table / Cutler-Ederer) for  /home/ana/data sets/rdata.txt",
             "Results (Life table - Cutler-Ederer) for rdata"},
            {"Input Data  /p/cases.mdb - Patients", "Input Data cases - Patients"},
            {"/charts/survival.cht", "survival"},
            {"Results (SMR / SIR) for  relative/colrec.txt", "Results (SMR - SIR) for colrec"},
            {"Survival chart (Trend in n-year survival) for  colrec.txt", "Survival chart (Trend in n-year survival) for colrec"},
            {"a:b*c?d\"e<f>g|h\ti", "a_b_c_d_e_f_g_h_i"},
            {"..hidden", "hidden"},
            {"", ""},
        };
        for (const auto& [title, name] : titles) QCOMPARE(SuggestedFileName(title), name);
    }

    // A name typed without extension gets that of the file type chosen, in
    // lower case, and the type decides what is written; a typed extension
    // decides by itself.  A saved report names the file beside the analysis.
    void TheChosenFileTypeDecidesForANameWithoutExtension()
    {
        QtFileDialogs qtDialogs;
        AppServices real{messages, qtDialogs, services.paths};
        CMainFrame frame(real);
        std::optional<AnalysisOutcome> outcome =
            ComputeAnalysis(frame, Parameters(ExampleAnalyses()[0]), rdata.cases, {kLifeTable, true});
        QVERIFY(outcome);
        CResultFrame* window = OpenResultWindow(frame, std::move(outcome->report));
        CResultEditView* view = window->view();
        const QString analysisTitle = window->windowTitle();
        const QByteArray exportBytes = QByteArray::fromStdString(ToCrLf(view->exportText()));
        const QByteArray reportBytes = QByteArray::fromStdString(view->reportText());
        struct Save {
            const char* typed;
            int type;  // 0 CSV files, 1 ANSI text files, 2 All files
            const char* written;
            bool csv;
        };
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("types")));
        const QDir types(folder.filePath(QStringLiteral("types")));
        QString title = analysisTitle;
        for (const Save& save : {Save{"export", 0, "export.csv", true}, Save{"report", 1, "report.txt", false},
                                 Save{"any", 2, "any.txt", false}, Save{"typed.CSV", 1, "typed.CSV", true}}) {
            const ModalScript dialog(
                {[&](QWidget* modal) { SaveInFileDialog(modal, types.filePath(QString::fromLatin1(save.typed)), save.type); }});
            QCOMPARE(view->SaveAs(), 1);
            QVERIFY(dialog.finished());
            const QString written = types.filePath(QString::fromLatin1(save.written));
            QCOMPARE(FileBytes(written), save.csv ? exportBytes : reportBytes);
            if (!save.csv) title = written + QStringLiteral(" - ") + analysisTitle;
            QCOMPARE(window->windowTitle(), title);
        }
        QCOMPARE(types.entryList(QDir::Files), (QStringList{"any.txt", "export.csv", "report.txt", "typed.CSV"}));
        QVERIFY(messages.shown.isEmpty());
    }

    static QByteArray FileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void SavingAComparisonWritesItsExportBesideTheExport()
    {
        CResultFrame* frame = Open(ExampleAnalyses()[1], true);
        CResultEditView* view = frame->view();
        const QString batchCsv = folder.filePath(QStringLiteral("batch.csv"));
        const QString batchCompareCsv = folder.filePath(QStringLiteral("batch-compare.csv"));
        const QByteArray expected = ExampleBatchReport(
            {"--analysis", "productlimit", "--compare", "--csv", batchCsv, "--compare-csv", batchCompareCsv});
        QCOMPARE(QByteArray::fromStdString(view->reportText()), expected);

        fileDialogs.saveChoice = folder.filePath(QStringLiteral("survival.2023.csv"));
        QCOMPARE(view->SaveAs(), 1);
        QCOMPARE(FileBytes(fileDialogs.saveChoice), FileBytes(batchCsv));  // the export as it is
        const QByteArray comparison = FileBytes(folder.filePath(QStringLiteral("survival.2023-compare.csv")));
        QCOMPARE(comparison, FileBytes(batchCompareCsv));
        // The second file is named in a message.
        QCOMPARE(messages.shown,
                 QStringList{QStringLiteral("The comparison of the groups was saved to a second file: ") +
                             folder.filePath(QStringLiteral("survival.2023-compare.csv"))});
        messages.shown.clear();
        QVERIFY(comparison.startsWith("Test;Group;Cases;Observed;Expected;Chi-square;Degrees of freedom;p-value\r\n"
                                      "Log-rank;"));
        QVERIFY(comparison.contains("\r\nGroup;Quantile;Survival time;CI lower limit;CI upper limit\r\n"));
        QCOMPARE(view->unsavedFlag(), 0);

        // Saved as a report, the section is part of the text; no second file.
        fileDialogs.saveChoice = folder.filePath(QStringLiteral("survival.txt"));
        QCOMPARE(view->SaveAs(), 1);
        QCOMPARE(FileBytes(fileDialogs.saveChoice), expected);
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("survival-compare.csv"))));

        // A second file that cannot be written is named in the message.
        CResultFrame* other = Open(ExampleAnalyses()[0], true);
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("blocked-compare.csv")));
        fileDialogs.saveChoice = folder.filePath(QStringLiteral("blocked.csv"));
        QCOMPARE(other->view()->SaveAs(), 0);
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.shown[0].contains(folder.filePath(QStringLiteral("blocked-compare.csv"))));
        QCOMPARE(other->view()->unsavedFlag(), 1);
        messages.shown.clear();

        // Without a comparison only the export is written.
        CResultFrame* plain = Open(ExampleAnalyses()[1]);
        fileDialogs.saveChoice = folder.filePath(QStringLiteral("plain.csv"));
        QCOMPARE(plain->view()->SaveAs(), 1);
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("plain-compare.csv"))));
        QVERIFY(messages.shown.isEmpty());
    }

    void TheUnsavedQuestionInAllItsBranches()
    {
        CResultFrame* frame = Open(ExampleAnalyses()[1]);
        QPointer<CResultFrame> watched(frame);
        messages.answers = {Messages::Answer::Cancel};
        QVERIFY(!frame->close());
        QCOMPARE(messages.shown, QStringList{UiString(220)});

        // Yes, then Cancel in the file dialog: the window stays, unsaved.
        fileDialogs.saveChoice.clear();
        messages.answers = {Messages::Answer::Yes};
        QVERIFY(!frame->close());
        QCOMPARE(frame->view()->unsavedFlag(), 1);

        // The main frame's close sequence stops at the refusal.
        mainFrame->NewDataWindow();
        mainFrame->mdiArea()->setActiveSubWindow(frame);
        messages.answers = {Messages::Answer::Cancel};
        QVERIFY(!mainFrame->CloseAllChildren());
        QVERIFY(watched);

        // Yes with a file: saved, then closed.
        fileDialogs.saveChoice = folder.filePath(QStringLiteral("closing.txt"));
        messages.answers = {Messages::Answer::Yes};
        QVERIFY(frame->close());
        QTRY_VERIFY(!watched);
        QVERIFY(QFile::exists(fileDialogs.saveChoice));

        // No: closed without saving; a saved window closes without asking.
        CResultFrame* second = Open(ExampleAnalyses()[1]);
        messages.shown.clear();
        messages.answers = {Messages::Answer::No};
        QVERIFY(second->close());
        QCOMPARE(messages.shown.size(), 1);
        CResultFrame* third = Open(ExampleAnalyses()[1]);
        fileDialogs.saveChoice = folder.filePath(QStringLiteral("third.csv"));
        QCOMPARE(third->view()->SaveAs(), 1);
        messages.shown.clear();
        QVERIFY(third->close());
        QVERIFY(messages.shown.isEmpty());
    }

    void CloseAllAndExitNameEachUnsavedWindowAndAnswerForAll()
    {
        // Close All goes from the active window back: the chart, the second
        // results, the saved results (no question), the first results.
        Open(ExampleAnalyses()[0]);
        CResultFrame* saved = Open(ExampleAnalyses()[0]);
        fileDialogs.saveChoice = folder.filePath(QStringLiteral("saved.txt"));
        QCOMPARE(saved->view()->SaveAs(), 1);
        CResultFrame* second = Open(ExampleAnalyses()[1]);
        CLifeTableChartFrame* chart = OpenAnalysisChart(*mainFrame, second->view()->data(), second->view()->kind());
        const QString chartTitle = chart->windowTitle();
        const QString secondTitle = second->windowTitle();
        QVERIFY(chartTitle != secondTitle && !chartTitle.isEmpty());
        const auto question = [](const QString& title) {
            return QString::fromLatin1(text::kUnsavedWindowQuestion).replace(QStringLiteral("%s"), title);
        };
        fileDialogs.saveChoice = folder.filePath(QStringLiteral("for-all.txt"));
        fileDialogs.saveDialogs = 0;
        messages.shown.clear();
        messages.answers = {Messages::Answer::No, Messages::Answer::YesToAll};
        mainFrame->command(command::kWindowCloseAll)->trigger();
        QVERIFY(mainFrame->mdiArea()->subWindowList().isEmpty());
        QCOMPARE(messages.shown, (QStringList{question(chartTitle), question(secondTitle)}));
        // "Yes to all" saved the second results and, without asking, the first.
        QCOMPARE(fileDialogs.saveDialogs, 2);
        QVERIFY(QFile::exists(fileDialogs.saveChoice));

        // Exit: "No to all" at the first question closes every window
        // unsaved and the program; Cancel keeps the window asked about.
        CMainFrame exiting(services);
        exiting.show();
        for (int i = 0; i < 2; ++i) {
            std::optional<AnalysisOutcome> outcome =
                ComputeAnalysis(exiting, Parameters(ExampleAnalyses()[0]), rdata.cases, {kLifeTable, true});
            QVERIFY(outcome);
            OpenResultWindow(exiting, std::move(outcome->report));
        }
        exiting.NewDataWindow();
        const QString active = exiting.mdiArea()->subWindowList().at(1)->windowTitle();
        exiting.mdiArea()->setActiveSubWindow(exiting.mdiArea()->subWindowList().at(1));
        messages.shown.clear();
        messages.answers = {Messages::Answer::Cancel};
        exiting.command(command::kExit)->trigger();
        QVERIFY(exiting.isVisible());
        QCOMPARE(messages.shown, QStringList{question(active)});
        QCOMPARE(exiting.mdiArea()->subWindowList().size(), 3);
        fileDialogs.saveDialogs = 0;
        messages.shown.clear();
        messages.answers = {Messages::Answer::NoToAll};
        exiting.command(command::kExit)->trigger();
        QVERIFY(!exiting.isVisible());
        QVERIFY(exiting.mdiArea()->subWindowList().isEmpty());
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(fileDialogs.saveDialogs, 0);
    }

    void AFailingSaveKeepsTheOldFileAndTheWindowUnsaved()
    {
        CResultFrame* frame = Open(ExampleAnalyses()[0]);
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("locked")));
        const QString old = folder.filePath(QStringLiteral("locked/old.txt"));
        {
            QFile file(old);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("the old report");
        }
        const QString title = frame->windowTitle();
        ReadOnlyFolder locked(PathBytes(folder.filePath(QStringLiteral("locked"))));
        if (!locked.works()) QSKIP("no way to make a folder read-only here");
        fileDialogs.saveChoice = old;
        QCOMPARE(frame->view()->SaveAs(), 0);
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.shown[0].contains(old));
        QVERIFY(messages.shown[0].contains(QStringLiteral("Permission denied")) ||
                messages.shown[0].contains(QStringLiteral("Operation not permitted")));
        QFile file(old);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("the old report"));
        QCOMPARE(frame->view()->unsavedFlag(), 1);
        QCOMPARE(frame->windowTitle(), title);
        QVERIFY(frame->view()->savedPath().empty());
    }

    void PrintsEveryRowInOnePieceToPdf()
    {
        // The life table by group fills two A4 pages.  The rows of relative
        // survival are wider than the page: the font shrinks, no row wraps.
        for (const int analysis : {0, 5}) {
            CResultFrame* frame = Open(ExampleAnalyses()[analysis]);
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setPageSize(QPageSize(QPageSize::A4));
            const QString pdf = folder.filePath(QStringLiteral("report.pdf"));
            printer.setOutputFileName(pdf);
            QVERIFY(frame->view()->PrintTo(printer));

            const QStringList printed = PrintedLines(pdf);
            // Every page is headed by the window's title and its number.
            const QStringList headers = printed.filter(QRegularExpression(QStringLiteral(" Page \\d+ of \\d+$")));
            QCOMPARE(headers, (QStringList{frame->windowTitle().simplified() + QStringLiteral(" Page 1 of 2"),
                                           frame->windowTitle().simplified() + QStringLiteral(" Page 2 of 2")}));
            // Below them every line of the report, each on a line of its own.
            QStringList rows;
            for (const QString& line : printed)
                if (!line.isEmpty() && !headers.contains(line)) rows << line;
            QStringList lines;
            for (const QString& line : frame->view()->text().split(QLatin1Char('\n')))
                if (!line.simplified().isEmpty()) lines << line.simplified();
            QCOMPARE(rows, lines);
        }
    }
};

}  // namespace kalderon::testing

QTEST_MAIN(kalderon::testing::ResultWindowTest)
#include "ResultWindowTest.moc"
