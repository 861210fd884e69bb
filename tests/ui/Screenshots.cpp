// Renders the main window with a data window, a chart window of each kind
// beside it, each page of the text import wizard and the column selection
// into PNG files of a folder:
//   QT_QPA_PLATFORM=offscreen kalderon_screenshots docs/images
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWizard>
#include <clocale>

#include "app/CEventDataFrame.h"
#include "app/CLifeTableChartFrame.h"
#include "app/ChartWindows.h"
#include "charts/ui/CLifeTableChartView.h"
#include "app/CMainFrame.h"
#include "common/ui/DisplayText.h"
#include "import/DatabaseImport.h"
#include "import/ui/CChooseTableDlg.h"
#include "import/ui/CColumnSelectionDlg.h"
#include "import/ui/CEventDataView.h"
#include "import/ui/CTextImportPage1.h"
#include "import/ui/CTextImportSheet.h"
#include "support/ExampleAnalyses.h"
#include "support/GuiTestSupport.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessages.h"

using namespace kalderon;

namespace {

void Save(QWidget& widget, const QDir& folder, const QString& name)
{
    QApplication::processEvents();
    const QString path = folder.filePath(name);
    if (!widget.grab().save(path)) qFatal("cannot write %s", qPrintable(path));
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

    testing::ScriptedMessages messages;
    testing::ScriptedFileDialogs fileDialogs;
    AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};

    CMainFrame frame(services);
    frame.resize(1040, 560);
    frame.show();
    CEventDataFrame* window = frame.NewDataWindow();
    TextImportSettings settings;
    settings.useGroup = settings.useSex = settings.useBirth = true;
    std::string error;
    window->view()->ReadTextFile(PathBytes(example), settings, error);
    window->SetSource(PathBytes(example));
    window->setGeometry(8, 8, 1000, 400);
    Save(frame, folder, QStringLiteral("main-window.png"));

    // Each survival chart beside the data window, the time axis clicked.
    testing::UseTemporarySettings();
    const struct {
        AnalysisKind kind;
        std::int32_t technique;
        const char* name;
    } charts[] = {{kLifeTable, 0, "chart-window-life-table.png"},
                  {kProductLimit, 0, "chart-window-product-limit.png"},
                  {kPeriodAnalysis, 0, "chart-window-period-analysis.png"},
                  {kTrend, 0, "chart-window-trend.png"}};
    frame.resize(1100, 720);
    QApplication::processEvents();
    const QSize area = frame.mdiArea()->viewport()->size();
    window->setGeometry(0, 0, area.width() * 2 / 5, area.height());
    for (const auto& chart : charts) {
        const DataSet data = testing::ExampleAnalysis(chart.kind, chart.technique);
        CLifeTableChartFrame* chartWindow = OpenAnalysisChart(frame, data.analysis, chart.kind);
        chartWindow->setGeometry(area.width() * 2 / 5, 0, area.width() - area.width() * 2 / 5, area.height());
        CLifeTableChartView* view = chartWindow->view();
        view->grab();
        const ChartRect axis = view->chart().timeAxis.areaRect;
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint((axis.left + axis.right) / 2, (axis.top + axis.bottom) / 2));
        Save(frame, folder, QString::fromLatin1(chart.name));
        view->chart().modifiedFlag = 0;
        chartWindow->close();
    }
    frame.resize(1040, 560);

    CTextImportSheet sheet(example, messages);
    sheet.show();
    Save(sheet, folder, QStringLiteral("wizard-1-format.png"));
    sheet.next();
    Save(sheet, folder, QStringLiteral("wizard-2a-separator.png"));
    sheet.next();
    testing::SetChecked(sheet.currentPage(), 1062);
    testing::SetChecked(sheet.currentPage(), 1064);
    Save(sheet, folder, QStringLiteral("wizard-3a-columns.png"));
    sheet.back();
    sheet.back();
    sheet.page1()->format = 1;
    sheet.next();
    testing::SetText(sheet.currentPage(), 1014, QStringLiteral("10"));
    testing::SetText(sheet.currentPage(), 1012, QStringLiteral("12"));
    testing::SetText(sheet.currentPage(), 1015, QStringLiteral("21"));
    testing::SetText(sheet.currentPage(), 1013, QStringLiteral("23"));
    Save(sheet, folder, QStringLiteral("wizard-2b-fixed.png"));
    sheet.hide();

    const std::vector<std::string> fields = {"CaseNo", "BeginFU", "EndFU", "Status", "Stage", "Sex", "Birth"};
    CColumnSelectionDlg columns(BuildColumnTexts(fields), messages);
    columns.show();
    testing::Choose(&columns, 1003, QStringLiteral("BeginFU"));
    testing::Choose(&columns, 1004, QStringLiteral("EndFU"));
    testing::Choose(&columns, 1005, QStringLiteral("Status"));
    testing::Choose(&columns, 1013, QStringLiteral("Stage"));
    Save(columns, folder, QStringLiteral("column-selection-complete.png"));
    testing::Click(&columns, 1042);
    testing::Choose(&columns, 1007, QStringLiteral("< Ignore >"));
    Save(columns, folder, QStringLiteral("column-selection-separate.png"));
    columns.hide();

    CChooseTableDlg tables({"Alpha cases", "Mid", "Zeta"});
    tables.show();
    Save(tables, folder, QStringLiteral("choose-table.png"));
    return 0;
}
