#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QMdiArea>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "app/CLifeTableChartFrame.h"
#include "app/CMainFrame.h"
#include "app/ChartWindows.h"
#include "charts/ui/CLifeTableChartView.h"
#include "charts/ui/ChartExport.h"
#include "common/ui/QtFileDialogs.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UserProfile.h"
#include "support/ExampleAnalyses.h"
#include "support/GuiTestSupport.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessages.h"

namespace kalderon::testing {

class ChartWindowTest : public QObject {
    Q_OBJECT

    ScriptedMessages messages;
    ScriptedFileDialogs fileDialogs;
    AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};
    QTemporaryDir folder;

    QString Path(const QString& name) const { return folder.filePath(name); }

    QList<CLifeTableChartFrame*> ChartWindows(CMainFrame& frame)
    {
        QList<CLifeTableChartFrame*> windows;
        for (QMdiSubWindow* child : frame.mdiArea()->subWindowList())
            if (auto* chart = qobject_cast<CLifeTableChartFrame*>(child)) windows << chart;
        return windows;
    }

    // A product-limit chart window of the example data, drawn once.
    CLifeTableChartFrame* ProductLimitWindow(CMainFrame& frame)
    {
        const DataSet data = ExampleAnalysis(kProductLimit);
        CLifeTableChartFrame* window = OpenAnalysisChart(frame, data.analysis, kProductLimit);
        window->resize(640, 480);
        window->view()->grab();
        return window;
    }

    // The view drawn at one size.
    static QImage Picture(CLifeTableChartView* view)
    {
        view->resize(600, 400);
        return view->grab().toImage();
    }

    static QPoint Inside(const ChartRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    static int PdfPages(const QString& path)
    {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {path});
        if (!info.waitForFinished(30000)) return -1;
        const QString out = QString::fromLatin1(info.readAllStandardOutput());
        const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(out);
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }

private slots:
    void initTestCase() { UseTemporarySettings(); }

    void init()
    {
        messages.shown.clear();
        messages.answers.clear();
        fileDialogs.choice.clear();
        fileDialogs.filterChoice.clear();
        OpenUserProfile()->clear();
    }

    void EveryAnalysisOpensItsChart()
    {
        // The user's defaults of the life table kind are taken.
        OpenUserProfile()->setValue(QStringLiteral("Charts/Cutler-Ederer/DefaultTitle"), QStringLiteral("Colon, 5 ages"));
        CMainFrame frame(services);
        struct Case {
            AnalysisKind kind;
            std::int32_t technique;
            std::int32_t chartKind;
            int resourceId;
            QString title;
            QString chartTitle;
            QString accessibleName;
        };
        const QList<Case> cases = {
            {kLifeTable, 0, kChartLifeTable, 402, "Survival chart (Life table / Cutler-Ederer) for  rdata.txt",
             "Colon, 5 ages", "Survival chart (Cutler-Ederer)"},
            {kProductLimit, 0, kChartProductLimit, 426, "Survival chart (Product-Limit / Kaplan-Meier) for  rdata.txt",
             "Cumulative survival", "Survival chart (Kaplan-Meier)"},
            {kPeriodAnalysis, 0, kChartPeriodAnalysis, 413,
             "Survival chart (Period analysis - Life table) for  rdata.txt", "Cumulative survival",
             "Survival chart (Period analysis)"},
            {kPeriodAnalysis, 1, kChartProductLimit, 413,
             "Survival chart (Period analysis - Product-limit) for  rdata.txt", "Cumulative survival",
             "Survival chart (Kaplan-Meier)"},
            {kTrend, 0, kChartTrend, 422, "Survival chart (Trend in n-year survival) for  rdata.txt", "5-year survival",
             "Survival chart (Trend in n-year survival by period)"},
        };
        for (const Case& c : cases) {
            const DataSet data = ExampleAnalysis(c.kind, c.technique);
            CLifeTableChartFrame* window = OpenAnalysisChart(frame, data.analysis, c.kind);
            QVERIFY(window);
            QCOMPARE(frame.mdiArea()->currentSubWindow(), window);
            QCOMPARE(frame.shownMenu(), resource::kChartMenu);
            QCOMPARE(window->resourceId(), c.resourceId);
            QCOMPARE(window->windowTitle(), c.title);
            const LifeTableChart& chart = window->view()->chart();
            QCOMPARE(chart.chartKind, c.chartKind);
            QCOMPARE(chart.titleText, c.chartTitle.toStdString());
            QCOMPARE(chart.seriesCount, 4);
            QCOMPARE(chart.modifiedFlag, 1);
            QCOMPARE(window->view()->accessibleName(), c.accessibleName);
            QCOMPARE(window->view()->accessibleDescription(), c.chartTitle);
            // The chart keeps its own copy of the record.
            QCOMPARE(chart.analysis.groupResults.size(), data.analysis.groupResults.size());
        }
        // n of a trend is its extra value: 3 gives the 3-year title.
        DataSet trend = ExampleAnalysis(kTrend);
        trend.analysis.survivalYears = 3;
        QCOMPARE(OpenAnalysisChart(frame, trend.analysis, kTrend)->view()->chart().titleText,
                 std::string("3-year survival"));
        QVERIFY(!OpenAnalysisChart(frame, trend.analysis, kSmrSir));

        messages.answers.assign(ChartWindows(frame).size(), Messages::Answer::No);
        QVERIFY(frame.close());
    }

    void MenuAndToolBarOfChartWindows()
    {
        CMainFrame frame(services);
        QStringList buttons;
        for (QAction* action : frame.toolBar()->actions())
            buttons << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
        QCOMPARE(buttons, QStringList({ControlName(command::kOpenDataFile), ControlName(command::kOpenChart),
                                       ControlName(command::kSaveChart), ControlName(command::kExportChart), "-",
                                       ControlName(command::kCut), ControlName(command::kCopy),
                                       ControlName(command::kPaste), "-", ControlName(command::kPrint), "-",
                                       ControlName(command::kAbout), ControlName(command::kHelpContents), "-",
                                       ControlName(command::kExit)}));
        QVERIFY(!frame.command(command::kSaveChart)->isEnabled());
        QVERIFY(frame.command(command::kOpenChart)->isEnabled());

        ProductLimitWindow(frame);
        QStringList titles;
        for (QAction* menu : frame.menuBar()->actions()) titles << menu->text();
        QCOMPARE(titles, QStringList({"&File", "&Edit", "&View", "Chart &options", "&Compute", "&Window", "&Help"}));
        QStringList file;
        for (QAction* a : frame.menuBar()->actions().at(0)->menu()->actions())
            file << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + ' ' + a->text() + (a->isEnabled() ? "" : " (off)"));
        QCOMPARE(file, QStringList({ControlName(command::kNew) + " &New\tCtrl+N (off)",
                                    ControlName(command::kOpenDataFile) + " &Open data file ...",
                                    ControlName(command::kOpenChart) + " Open life table &chart ...",
                                    ControlName(command::kOpenAnalysis) + " Open &analysis ...",
                                    ControlName(command::kResetDefaults) +
                                        " Reset default values to original settings ...",
                                    ControlName(command::kClose) + " &Close",
                                    ControlName(command::kSaveChart) + " Save chart",
                                    ControlName(command::kSaveAs) + " Save chart as ...",
                                    ControlName(command::kExportChart) + " &Export chart ...",
                                    "-",
                                    ControlName(command::kPageSetup) + " Page set&up ...",
                                    ControlName(command::kPrintPreview) + " Print pre&view",
                                    ControlName(command::kPrint) + " &Print ...",
                                    "-",
                                    ControlName(command::kExit) + " E&xit"}));
        QStringList options;
        for (QAction* a : frame.menuBar()->actions().at(3)->menu()->actions()) options << a->objectName();
        QCOMPARE(options, ControlNames({command::kEditChartTitle, command::kEditTimeAxis, command::kEditSurvivalAxis,
                                        command::kEditLegend, command::kFormatDataSeries}));
        QVERIFY(frame.command(command::kCopy)->isEnabled());
        QVERIFY(frame.command(command::kExportChart)->isEnabled());

        messages.answers = {Messages::Answer::No};
        QVERIFY(frame.close());
    }

    void ClicksFrameElementsAndDoubleClicksRunTheirCommands()
    {
        CMainFrame frame(services);
        frame.show();
        CLifeTableChartView* view = ProductLimitWindow(frame)->view();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        view->grab();
        const LifeTableChart& chart = view->chart();

        QTest::mouseClick(view, Qt::LeftButton, {}, Inside(chart.timeAxis.areaRect));
        QCOMPARE(view->focusFrame(), std::optional<ChartRect>(chart.timeAxis.areaRect));
        // The frame is drawn as a dotted rectangle over the chart.
        const QImage framed = view->grab().toImage();
        const ChartRect& area = chart.timeAxis.areaRect;
        int black = 0, white = 0;
        for (int x = area.left + 5; x < area.left + 25; ++x) {
            const QRgb p = framed.pixel(x, area.bottom - 1);
            black += qGray(p) < 64, white += qGray(p) > 192;
        }
        QVERIFY(black >= 5 && white >= 8);

        QTest::mouseClick(view, Qt::LeftButton, {}, Inside(chart.legend.areaRect));
        QCOMPARE(view->focusFrame(), std::optional<ChartRect>(chart.legend.areaRect));
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(chart.plotRect.left + 1, 2));
        QCOMPARE(view->focusFrame(), std::optional<ChartRect>(ChartRect{chart.plotRect.left, 1, chart.plotRect.right,
                                                                        chart.plotRect.top - 1}));
        QTest::mouseClick(view, Qt::LeftButton, {}, Inside(chart.plotRect));
        QVERIFY(!view->focusFrame());
        QTest::mouseClick(view, Qt::LeftButton, {}, Inside(chart.survivalAxis.areaRect));
        QVERIFY(view->focusFrame());
        view->window()->resize(view->window()->size() + QSize(20, 10));
        view->parentWidget()->resize(700, 500);
        QTRY_VERIFY(!view->focusFrame());
        view->grab();

        QSignalSpy commands(view, &CLifeTableChartView::optionCommand);
        // Each command opens its dialog, which is cancelled here.
        const ModalScript cancelDialogs(std::vector<ModalScript::Action>(
            12, [](QWidget* dialog) { QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection); }));
        std::optional<ChartRect> frameAtCommand;
        connect(view, &CLifeTableChartView::optionCommand, this, [&] { frameAtCommand = view->focusFrame(); });
        const QList<QPair<QPoint, int>> targets = {
            {QPoint(chart.plotRect.left + 1, 2), command::kEditChartTitle},
            {Inside(chart.timeAxis.areaRect), command::kEditTimeAxis},
            {Inside(chart.survivalAxis.areaRect), command::kEditSurvivalAxis},
            {Inside(chart.legend.areaRect), command::kEditLegend},
            {Inside(chart.plotRect), command::kFormatDataSeries},
        };
        for (const auto& [point, id] : targets) {
            QTest::mouseDClick(view, Qt::LeftButton, {}, point);
            QCOMPARE(commands.takeLast().at(0).toInt(), id);
            QVERIFY2(!frameAtCommand, "the frame is removed before a dialog opens");
        }
        QVERIFY(commands.isEmpty());
        // After the survival axis's command its frame is shown again (a double
        // click begins with the single click that shows it).
        QTest::mouseClick(view, Qt::LeftButton, {}, Inside(chart.survivalAxis.areaRect));
        QTest::mouseDClick(view, Qt::LeftButton, {}, Inside(chart.survivalAxis.areaRect));
        QCOMPARE(view->focusFrame(), std::optional<ChartRect>(chart.survivalAxis.areaRect));
        commands.clear();
        // The menu runs the same commands.
        for (int id : {command::kEditChartTitle, command::kEditTimeAxis, command::kEditSurvivalAxis,
                       command::kEditLegend, command::kFormatDataSeries}) {
            frame.command(id)->trigger();
            QCOMPARE(commands.takeLast().at(0).toInt(), id);
        }

        messages.answers = {Messages::Answer::No};
        QVERIFY(frame.close());
    }

    void SaveReopenAndBackup()
    {
        CMainFrame frame(services);
        CLifeTableChartFrame* window = ProductLimitWindow(frame);
        const QImage before = Picture(window->view());
        const QString path = Path(QStringLiteral("survival.cht"));
        const QString analysisTitle = window->windowTitle();
        const QString dataFolder = LastImportDir();

        fileDialogs.choice = path;
        frame.command(command::kSaveChart)->trigger();  // no path yet: Save as
        QCOMPARE(fileDialogs.lastTitle, QStringLiteral("Save life table chart"));
        // Until a chart is saved the dialog starts in the data folder, with
        // a name from the window title; then the chart folder is remembered.
        QCOMPARE(analysisTitle, QStringLiteral("Survival chart (Product-Limit / Kaplan-Meier) for  rdata.txt"));
        QCOMPARE(fileDialogs.lastDirectory,
                 dataFolder + QStringLiteral("Survival chart (Product-Limit - Kaplan-Meier) for rdata"));
        QCOMPARE(OpenUserProfile()->value(QStringLiteral("Settings/LastChartDir")).toString(), folder.path() + '/');
        QCOMPARE(LastImportDir(), dataFolder);
        QCOMPARE(fileDialogs.lastFilter, QStringLiteral("Life Table Charts (*.cht)|*.cht|All files (*.*)|*.*||"));
        QCOMPARE(fileDialogs.lastSuffix, QStringLiteral("CHT"));
        QCOMPARE(window->windowTitle(), path + QStringLiteral(" - ") + analysisTitle);  // the analysis stays named
        QCOMPARE(window->view()->chart().modifiedFlag, 0);
        QVERIFY(!QFile::exists(path + ".BAK"));
        QFile first(path);
        QVERIFY(first.open(QIODevice::ReadOnly));
        const QByteArray firstBytes = first.readAll();
        first.close();

        window->view()->chart().seriesStyles[0].showCI = 0;  // a change, as a dialog makes it
        window->view()->chart().modifiedFlag = 1;
        fileDialogs.lastTitle.clear();
        frame.command(command::kSaveChart)->trigger();
        QVERIFY(fileDialogs.lastTitle.isEmpty());  // saved under its path without asking
        QFile backup(path + ".BAK");
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QCOMPARE(backup.readAll(), firstBytes);
        window->view()->chart().seriesStyles[0].showCI = 1;
        frame.command(command::kSaveChart)->trigger();

        // Reopened, the chart draws the same picture, censoring marks included.
        OpenUserProfile()->setValue(QStringLiteral("Settings/LastImportDir"), folder.path() + '/');
        fileDialogs.choice = path;
        frame.command(command::kOpenChart)->trigger();
        QCOMPARE(fileDialogs.lastTitle, QStringLiteral("Open life table chart file"));
        QCOMPARE(fileDialogs.lastDirectory, folder.path() + '/');
        QCOMPARE(ChartWindows(frame).size(), 2);
        auto* reopened = qobject_cast<CLifeTableChartFrame*>(frame.mdiArea()->currentSubWindow());
        QCOMPARE(reopened->windowTitle(), path);
        QCOMPARE(reopened->resourceId(), 422);
        QCOMPARE(reopened->view()->chart().modifiedFlag, 0);
        QCOMPARE(Picture(reopened->view()), before);
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(frame.close());  // both saved: nothing asked
        QVERIFY(messages.shown.isEmpty());
    }

    // Through the file dialog a name without extension gets that of the
    // file type chosen, in lower case, and the type decides what is written.
    void SaveAndExportTakeTheChosenType()
    {
        QtFileDialogs qtDialogs;
        AppServices real{messages, qtDialogs, services.paths};
        CMainFrame frame(real);
        CLifeTableChartFrame* window = ProductLimitWindow(frame);
        const QString analysisTitle = window->windowTitle();
        const auto save = [&](int id, const QString& name, int type) {
            const ModalScript dialog({[&](QWidget* modal) { SaveInFileDialog(modal, Path(name), type); }});
            frame.command(id)->trigger();
            QVERIFY(dialog.finished());
        };
        save(command::kSaveAs, QStringLiteral("typed"), 0);
        QCOMPARE(window->windowTitle(), Path(QStringLiteral("typed.cht")) + QStringLiteral(" - ") + analysisTitle);
        QFile chart(Path(QStringLiteral("typed.cht")));
        QVERIFY(chart.open(QIODevice::ReadOnly));
        QVERIFY(chart.read(32).contains("LifeTableChartFile_1_0"));

        save(command::kExportChart, QStringLiteral("picture"), 0);  // Windows Metafiles
        QFile metafile(Path(QStringLiteral("picture.wmf")));
        QVERIFY(metafile.open(QIODevice::ReadOnly));
        QVERIFY(metafile.readAll().startsWith(QByteArray("\x01\x00\x09\x00\x00\x03", 6)));  // a metafile header
        save(command::kExportChart, QStringLiteral("picture"), 1);  // PNG
        QFile png(Path(QStringLiteral("picture.png")));
        QVERIFY(png.open(QIODevice::ReadOnly));
        QVERIFY(png.readAll().startsWith("\x89PNG"));
        QVERIFY(!QFile::exists(Path(QStringLiteral("picture"))));
        QVERIFY(messages.shown.isEmpty());
    }

    void OpenRefusesFilesWithTheirMessages()
    {
        CMainFrame frame(services);
        const QString text = Path(QStringLiteral("notes.cht"));
        QFile notes(text);
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("not a chart\n");
        notes.close();

        CLifeTableChartFrame* window = ProductLimitWindow(frame);
        const QString good = Path(QStringLiteral("cut.cht"));
        fileDialogs.choice = good;
        window->view()->SaveChartAs();
        QFile whole(good);
        QVERIFY(whole.open(QIODevice::ReadOnly));
        const QByteArray bytes = whole.readAll();
        whole.close();
        QVERIFY(whole.open(QIODevice::WriteOnly | QIODevice::Truncate));
        whole.write(bytes.left(bytes.size() / 2));
        whole.close();
        window->close();
        QTRY_VERIFY(ChartWindows(frame).isEmpty());

        const QString missing = Path(QStringLiteral("gone.cht"));
        for (const auto& [file, message] : {std::pair{missing, QStringLiteral("Could not open file %1.")},
                                            std::pair{text, QStringLiteral("File %1 is not a Life Table Chart File!")},
                                            std::pair{good, QStringLiteral("File %1 has a wrong file format!")}}) {
            messages.shown.clear();
            fileDialogs.choice = file;
            frame.command(command::kOpenChart)->trigger();
            QCOMPARE(messages.shown, QStringList({message.arg(file)}));
            QTRY_VERIFY(ChartWindows(frame).isEmpty());
        }
    }

    void UnsavedQuestionInAllItsBranches()
    {
        CMainFrame frame(services);
        CLifeTableChartFrame* window = ProductLimitWindow(frame);
        const QString noFile = QStringLiteral("The contents of the active window had not been saved, save it now?");

        messages.answers = {Messages::Answer::Cancel};
        QVERIFY(!window->close());
        QCOMPARE(messages.shown, QStringList({noFile}));

        // Yes, then Cancel in the file dialog: the window stays.
        messages.answers = {Messages::Answer::Yes};
        QVERIFY(!window->close());
        QCOMPARE(fileDialogs.lastTitle, QStringLiteral("Save life table chart"));

        // The main frame's close sequence stops at the refusal.
        messages.answers = {Messages::Answer::Cancel};
        QVERIFY(!frame.close());
        QCOMPARE(ChartWindows(frame).size(), 1);

        // A file that cannot be written is named; the chart stays unsaved.
        const QString unwritable = Path(QStringLiteral("no/such/folder/x.cht"));
        messages.shown.clear();
        messages.answers = {Messages::Answer::Yes};
        fileDialogs.choice = unwritable;
        QVERIFY(!window->close());
        QCOMPARE(messages.shown, QStringList({noFile, QStringLiteral("Could not write file %1.").arg(unwritable)}));
        QCOMPARE(window->view()->chart().modifiedFlag, 1);

        // Yes with a file: saved, then closed.
        const QString saved = Path(QStringLiteral("closing.cht"));
        messages.answers = {Messages::Answer::Yes};
        fileDialogs.choice = saved;
        QVERIFY(window->close());
        QVERIFY(QFile::exists(saved));

        // A chart with a file names it; No closes without saving.
        fileDialogs.choice = saved;
        frame.command(command::kOpenChart)->trigger();
        auto* reopened = ChartWindows(frame).front();
        reopened->view()->chart().modifiedFlag = 1;
        messages.shown.clear();
        messages.answers = {Messages::Answer::No};
        QVERIFY(reopened->close());
        QCOMPARE(messages.shown, QStringList({QStringLiteral("There are unsaved changes in file %1, save file now?").arg(saved)}));
        QVERIFY(frame.close());
    }

    void ExportsAndPrinting()
    {
        CMainFrame frame(services);
        CLifeTableChartView* view = ProductLimitWindow(frame)->view();
        const LifeTableChart& chart = view->chart();
        const ChartRect windowAxis = chart.timeAxis.areaRect;

        QCOMPARE(ChartExportFilter(), QStringLiteral("Windows Metafiles (*.wmf)|*.wmf|PNG images (*.png)|*.png|"
                                                     "SVG drawings (*.svg)|*.svg|PDF documents (*.pdf)|*.pdf|"
                                                     "All files (*.*)|*.*||"));
        QCOMPARE(ExportFormatOf("/a/b.PNG", ""), ChartExportFormat::kPng);
        QCOMPARE(ExportFormatOf("/a.svg/chart", "PDF documents (*.pdf)"), ChartExportFormat::kPdf);
        QCOMPARE(ExportFormatOf("/a/chart", "All files (*)"), ChartExportFormat::kMetafile);

        const QString wmf = Path(QStringLiteral("chart.wmf"));
        QFile old(wmf);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
        old.close();
        fileDialogs.choice = wmf;
        frame.command(command::kExportChart)->trigger();
        QCOMPARE(fileDialogs.lastTitle, QStringLiteral("Export chart to WMF"));
        QCOMPARE(fileDialogs.lastSuffix, QStringLiteral("WMF"));
        QFile metafile(wmf);
        QVERIFY(metafile.open(QIODevice::ReadOnly));
        const QByteArray header = metafile.read(18);
        QCOMPARE(header.left(6), QByteArray("\x01\x00\x09\x00\x00\x03", 6));
        // Replaced, not written over the old bytes: the size is the metafile's own.
        const auto words = static_cast<quint8>(header[6]) | static_cast<quint8>(header[7]) << 8 |
                           static_cast<quint8>(header[8]) << 16 | static_cast<quint8>(header[9]) << 24;
        QCOMPARE(metafile.size(), 2 * qint64(words));
        QProcess player;
        player.start(QStringLiteral("wmf2gd"), {QStringLiteral("-o"), wmf + ".png", wmf});
        QVERIFY(player.waitForFinished(60000));
        QCOMPARE(player.exitCode(), 0);
        QVERIFY(!QImage(wmf + ".png").isNull());
        QCOMPARE(chart.timeAxis.areaRect, windowAxis);  // clicks still find the window's areas
        QCOMPARE(chart.exportMode, 0);

        const QString png = Path(QStringLiteral("chart.png"));
        fileDialogs.choice = png;
        view->ExportChart();
        QCOMPARE(QImage(png).size(), view->size());
        const QString svg = Path(QStringLiteral("chart"));
        fileDialogs.choice = svg;
        fileDialogs.filterChoice = QStringLiteral("SVG drawings (*.svg)");
        view->ExportChart();
        QFile svgFile(svg);
        QVERIFY(svgFile.open(QIODevice::ReadOnly));
        QVERIFY(svgFile.readAll().contains("<svg"));
        const QString pdf = Path(QStringLiteral("chart.pdf"));
        fileDialogs.choice = pdf;
        fileDialogs.filterChoice.clear();
        view->ExportChart();
        QCOMPARE(PdfPages(pdf), 1);
        QVERIFY(messages.shown.isEmpty());
        fileDialogs.choice = Path(QStringLiteral("missing/chart.png"));
        view->ExportChart();
        QCOMPARE(messages.shown.size(), 1);

        // Printed to a PDF file without a printer: one page.
        const QString printed = Path(QStringLiteral("printed.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        QVERIFY(view->Print(printer));
        QCOMPARE(PdfPages(printed), 1);
        QCOMPARE(chart.timeAxis.areaRect, windowAxis);

        // Edit > Copy: the chart as an image on the clipboard.
        frame.command(command::kCopy)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), view->size());

        messages.answers = {Messages::Answer::No};
        QVERIFY(frame.close());
    }
};

}  // namespace kalderon::testing

QTEST_MAIN(kalderon::testing::ChartWindowTest)
#include "ChartWindowTest.moc"
