#include <QAbstractButton>
#include <QAction>
#include <QDoubleSpinBox>
#include <QMdiArea>
#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/CLifeTableChartFrame.h"
#include "app/CMainFrame.h"
#include "app/CResultFrame.h"
#include "app/ChartWindows.h"
#include "app/ResultWindows.h"
#include "charts/ChartLegend.h"
#include "charts/ui/CLifeTableChartView.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UserProfile.h"
#include "resources/Texts.h"
#include "results/ui/CResultEditView.h"
#include "results/ui/PageSetup.h"
#include "support/ExampleAnalyses.h"
#include "support/GuiTestSupport.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessages.h"

namespace kalderon::testing {
namespace {

// What the preview showed: its pages and their orientation.
struct Preview {
    int pages = 0;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
};

// Every value of the settings by its key.
QMap<QString, QVariant> AllSettings()
{
    QMap<QString, QVariant> values;
    const auto settings = OpenUserProfile();
    for (const QString& key : settings->allKeys()) values[key] = settings->value(key);
    return values;
}

// A text of `lines` lines of `columns` characters, words of nine.
std::string WideText(int lines, int columns)
{
    std::string line;
    while (static_cast<int>(line.size()) < columns) line += "12345678 ";
    line.resize(static_cast<size_t>(columns));
    std::string text;
    for (int i = 0; i < lines; ++i) text += line + "\r\n";
    return text;
}

// The words of a PDF file's first page with their left and right edges,
// and the page's width, as pdftotext finds them.
struct PrintedWord {
    QString text;
    double left = 0;
    double right = 0;
};
QList<PrintedWord> PrintedWords(const QString& pdf, double& pageWidth)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!text.waitForFinished()) return {};
    const QString html = QString::fromUtf8(text.readAllStandardOutput());
    const QRegularExpression page(QStringLiteral("<page width=\"([0-9.]+)\""));
    pageWidth = page.match(html).captured(1).toDouble();
    QList<PrintedWord> words;
    const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.-]+)\" yMin=\"[0-9.-]+\" xMax=\"([0-9.-]+)\" "
                                                 "yMax=\"[0-9.-]+\">([^<]*)</word>"));
    for (const QRegularExpressionMatch& match : word.globalMatch(html))
        words << PrintedWord{QString(match.captured(3))
                                 .replace(QLatin1String("&lt;"), QLatin1String("<"))
                                 .replace(QLatin1String("&gt;"), QLatin1String(">"))
                                 .replace(QLatin1String("&amp;"), QLatin1String("&")),
                             match.captured(1).toDouble(), match.captured(2).toDouble()};
    return words;
}

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT

    ScriptedMessages messages;
    ScriptedFileDialogs fileDialogs;
    AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};
    std::unique_ptr<CMainFrame> mainFrame;

    CResultFrame* OpenReport()
    {
        const DataSet data = ExampleAnalysis(kLifeTable);
        ResultReport report;
        report.SetResults(data.analysis, kLifeTable, "Tuesday 14. November 2023 22:13:20");
        return OpenResultWindow(*mainFrame, std::move(report));
    }

    // Runs the command of the main frame's menu and reads the preview it
    // opens, which Escape closes.
    Preview PreviewOf(int command)
    {
        Preview seen;
        const ModalScript preview({[&](QWidget* modal) {
            auto& dialog = Expect<QPrintPreviewDialog>(modal);
            auto* pages = dialog.findChild<QPrintPreviewWidget*>();
            QTRY_VERIFY(pages && pages->pageCount() > 0);
            seen = {pages->pageCount(), pages->orientation()};
            QTest::keyClick(&dialog, Qt::Key_Escape);
        }});
        mainFrame->command(command)->trigger();
        if (!preview.finished()) qFatal("no print preview");
        return seen;
    }

private slots:
    void init()
    {
        UseTemporarySettings();
        OpenUserProfile()->remove(QStringLiteral("PageSetup"));
        messages.shown.clear();
        mainFrame = std::make_unique<CMainFrame>(services);
        mainFrame->show();
    }

    void cleanup()
    {
        messages.answers.assign(10, Messages::Answer::No);
        mainFrame->CloseAllChildren();
        mainFrame.reset();
    }

    void PreviewOfAReportAndAChart()
    {
        // The life table by group fits portrait pages: two of them.
        CResultFrame* report = OpenReport();
        QVERIFY(mainFrame->command(command::kPrintPreview)->isEnabled());
        Preview seen = PreviewOf(command::kPrintPreview);
        QCOMPARE(seen.orientation, QPageLayout::Portrait);
        QCOMPARE(seen.pages, 2);
        QVERIFY(messages.shown.isEmpty());

        // A chart is one page, in the orientation of its window.
        const DataSet data = ExampleAnalysis(kLifeTable);
        CLifeTableChartFrame* chart = OpenAnalysisChart(*mainFrame, data.analysis, kLifeTable);
        chart->resize(600, 400);
        seen = PreviewOf(command::kPrintPreview);
        QCOMPARE(seen.orientation, QPageLayout::Landscape);
        QCOMPARE(seen.pages, 1);
        chart->resize(400, 600);
        QCOMPARE(PreviewOf(command::kPrintPreview).orientation, QPageLayout::Portrait);

        // Nothing of this is remembered.
        QVERIFY(AllSettings().keys().filter(QStringLiteral("PageSetup")).isEmpty());
        mainFrame->mdiArea()->setActiveSubWindow(report);
    }

    void AReportTooWideForPortraitPrintsInLandscape()
    {
        CResultFrame* frame = OpenReport();
        // 200 columns fit landscape pages at the smallest readable size, not
        // portrait ones: landscape, no word about wrapping.
        const std::string wide = WideText(100, 200);
        frame->view()->setBytes(&wide);
        Preview seen = PreviewOf(command::kPrintPreview);
        QCOMPARE(seen.orientation, QPageLayout::Landscape);
        QVERIFY(messages.shown.isEmpty());
        const int landscapePages = seen.pages;

        // 300 columns fit neither: landscape, the rows wrap and a message
        // says so.
        const std::string wider = WideText(100, 300);
        frame->view()->setBytes(&wider);
        seen = PreviewOf(command::kPrintPreview);
        QCOMPARE(seen.orientation, QPageLayout::Landscape);
        QCOMPARE(messages.shown, QStringList{QString::fromLatin1(text::kReportLinesWrapped)});
        QVERIFY(seen.pages > landscapePages);
        frame->view()->setBytes(&frame->view()->reportText());
    }

    void APrintedChartHasEveryTextOnItsPage()
    {
        const DataSet data = ExampleAnalysis(kLifeTable);
        CLifeTableChartFrame* frame = OpenAnalysisChart(*mainFrame, data.analysis, kLifeTable);
        frame->resize(640, 480);
        LifeTableChart& chart = frame->view()->chart();
        chart.titleText = "Cumulative survival of the patients of the example data set by their age group at "
                          "diagnosis, life table after Cutler-Ederer with confidence limits";
        chart.legend.legendPosition = kLegendBelow;

        // On A4 portrait, as the window asks for landscape.
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("chart.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setOutputFileName(pdf);
        QVERIFY(frame->view()->Print(printer));

        double pageWidth = 0;
        const QList<PrintedWord> words = PrintedWords(pdf, pageWidth);
        QVERIFY(pageWidth > 500);
        QStringList texts;
        for (const PrintedWord& word : words) {
            texts << word.text;
            QVERIFY2(word.left >= 0 && word.right <= pageWidth, qPrintable(word.text));
        }
        // The title in one piece and the legend's every group.
        QVERIFY(texts.join(QLatin1Char(' ')).contains(QString::fromStdString(chart.titleText)));
        for (const char* group : {"54-61", "62-70", "71-95", "<54"}) QVERIFY2(texts.contains(QLatin1String(group)), group);
    }

    void PageSetupIsRememberedWhenChosenAndUsedForEveryPrintout()
    {
        OpenReport();
        const QMap<QString, QVariant> before = AllSettings();
        QVERIFY(mainFrame->command(command::kPageSetup)->isEnabled());

        // Cancelled, it leaves the settings as they were.
        const ModalScript cancel(
            {[](QWidget* modal) { QMetaObject::invokeMethod(&Expect<QPageSetupDialog>(modal), "reject", Qt::QueuedConnection); }});
        mainFrame->command(command::kPageSetup)->trigger();
        QVERIFY(cancel.finished());
        QCOMPARE(AllSettings(), before);

        // Landscape with margins of 15 mm.
        const ModalScript choose({[](QWidget* modal) {
            auto& dialog = Expect<QPageSetupDialog>(modal);
            auto* landscape = dialog.findChild<QAbstractButton*>(QStringLiteral("landscape"));
            QVERIFY(landscape);
            landscape->click();
            for (const char* name : {"leftMargin", "topMargin", "rightMargin", "bottomMargin"}) {
                auto* margin = dialog.findChild<QDoubleSpinBox*>(QLatin1String(name));
                QVERIFY(margin && margin->suffix() == QStringLiteral("mm"));
                // Before any choice the margins are those of a printed report.
                QVERIFY(margin->value() > 10 && margin->value() < 20);
                margin->setValue(15);
            }
            QMetaObject::invokeMethod(&dialog, "accept", Qt::QueuedConnection);
        }});
        mainFrame->command(command::kPageSetup)->trigger();
        QVERIFY(choose.finished());
        const std::optional<PageSetupChoice> remembered = RememberedPageSetup();
        QVERIFY(remembered);
        QVERIFY(remembered->landscape);
        QVERIFY(remembered->paperWidth > 0 && remembered->paperHeight > remembered->paperWidth);
        QCOMPARE(remembered->margins, QMarginsF(15, 15, 15, 15));

        // Only the new section was added.
        QMap<QString, QVariant> after = AllSettings();
        for (const QString& key : after.keys())
            if (key.startsWith(QStringLiteral("PageSetup/"))) after.remove(key);
        QCOMPARE(after, before);

        // The report that fits portrait now prints in landscape.
        QCOMPARE(PreviewOf(command::kPrintPreview).orientation, QPageLayout::Landscape);
    }
};

}  // namespace kalderon::testing

QTEST_MAIN(kalderon::testing::PrintingTest)
#include "PrintingTest.moc"
