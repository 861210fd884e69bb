// Opens the results window of a product-limit report offscreen and prints
// how long opening and scrolling take and how much memory the window adds:
//   QT_QPA_PLATFORM=offscreen kalderon_gui_bench [CASES] [--plain-text-edit]
// With --plain-text-edit the same report goes into a QPlainTextEdit, for
// comparison.
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>

#include "SharedDataSet.h"
#include "analysis/ParameterChoices.h"
#include "analysis/RunAnalysis.h"
#include "app/CMainFrame.h"
#include "app/CResultFrame.h"
#include "app/ResultWindows.h"
#include "common/ui/MessageBoxMessages.h"
#include "common/ui/QtFileDialogs.h"
#include "results/ui/CResultEditView.h"

using namespace kalderon;

namespace {

double ResidentMegabytes()
{
    long pages = 0, resident = 0;
    std::ifstream statm("/proc/self/statm");
    statm >> pages >> resident;
    return resident * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void Paint(QWidget* widget)
{
    widget->repaint();
    QApplication::processEvents();
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_TIME, "C");
    long long cases = 1000000;
    bool plainTextEdit = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--plain-text-edit") == 0)
            plainTextEdit = true;
        else
            cases = std::atoll(argv[i]);
    }

    DataSet& dataSet = bench::SharedDataSet(cases);
    ApplyParameterChoices(dataSet.analysis, ParameterChoices{"1", 0, ".95"});
    AnalysisOutcome outcome = RunAnalysis(dataSet.analysis, dataSet.cases, {kProductLimit, true});
    const double reportMegabytes = outcome.report.reportText().size() / (1024.0 * 1024.0);

    MessageBoxMessages messages;
    QtFileDialogs fileDialogs;
    AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};
    CMainFrame mainFrame(services);
    mainFrame.show();
    QApplication::processEvents();

    const double before = ResidentMegabytes();
    QElapsedTimer clock;
    clock.start();
    QAbstractScrollArea* view = nullptr;
    if (plainTextEdit) {
        auto* edit = new QPlainTextEdit;
        edit->setReadOnly(true);
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        edit->setFont(ReportTextView::ReportFont());
        edit->setPlainText(QString::fromLatin1(outcome.report.reportText()));
        auto* frame = new CChildFrame(424, 129);
        frame->setWidget(edit);
        mainFrame.AddChild(frame);
        view = edit;
    } else {
        view = OpenResultWindow(mainFrame, std::move(outcome.report))->view();
    }
    Paint(view->viewport());
    const double openSeconds = clock.elapsed() / 1000.0;
    const double extra = ResidentMegabytes() - before;

    clock.restart();
    QScrollBar* scroll = view->verticalScrollBar();
    for (int step = 1; step <= 10; ++step) {
        scroll->setValue(scroll->maximum() / 10 * step);
        Paint(view->viewport());
    }
    const double scrollMilliseconds = clock.elapsed() / 10.0;

    std::printf("%s, %lld cases: report %.1f MB, %lld lines\n", plainTextEdit ? "QPlainTextEdit" : "CResultEditView",
                cases, reportMegabytes, static_cast<long long>(scroll->maximum()));
    std::printf("  window open and painted: %.3f s\n", openSeconds);
    std::printf("  extra resident memory:   %.1f MB (%.2fx the report)\n", extra, extra / reportMegabytes);
    std::printf("  jump to a line, painted: %.1f ms on average\n", scrollMilliseconds);
    std::fflush(stdout);
    _exit(0);  // the windows and the data set need no tidying up
}
