#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QSet>
#include <QtGui/private/qguiapplication_p.h>
#include <QtTest>
#include <clocale>
#include <functional>
#include <memory>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include "analysis/ui/ParameterDialog.h"
#include "analysis/ui/ParameterDialogBase.h"
#include "app/CEventDataFrame.h"
#include "app/CLifeTableChartFrame.h"
#include "app/CMainFrame.h"
#include "app/CResultFrame.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"
#include "import/TextFileReader.h"
#include "import/ui/CEventDataView.h"
#include "import/ui/CFullRowListCtrl.h"
#include "results/ui/ReportTextView.h"
#include "support/GuiTestSupport.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessages.h"

namespace kalderon::testing {
namespace {

using Shared = ParameterDialogBase;
using Step = std::function<void(QWidget*)>;

// Interfaces read so far and the reads that looked wrong.
struct ReadingLog {
    QSet<QAccessible::Id> ids;
    QStringList faults;
    int interfaces = 0;
};

// What an assistive tool asks of an interface it is shown: its texts, role,
// state and place, the text around the caret, the cells and headers of a table.
void ReadOne(QAccessibleInterface* iface)
{
    for (QAccessible::Text t : {QAccessible::Name, QAccessible::Description, QAccessible::Value, QAccessible::Help})
        (void)iface->text(t);
    (void)iface->role();
    (void)iface->state();
    (void)iface->rect();
    if (QAccessibleTextInterface* text = iface->textInterface()) {
        const int count = text->characterCount();
        const int caret = text->cursorPosition();
        (void)text->text(0, std::min(count, 2000));
        int start = 0, end = 0;
        for (int offset : {0, caret, count - 1, count}) {
            if (offset < 0) continue;
            (void)text->textAtOffset(offset, QAccessible::LineBoundary, &start, &end);
            (void)text->textAfterOffset(offset, QAccessible::LineBoundary, &start, &end);
            (void)text->textBeforeOffset(offset, QAccessible::CharBoundary, &start, &end);
            if (offset < count) (void)text->textAtOffset(offset, QAccessible::WordBoundary, &start, &end);
            (void)text->characterRect(offset);
        }
        (void)text->selectionCount();
    }
    if (QAccessibleTableCellInterface* cell = iface->tableCellInterface()) {
        (void)cell->rowIndex();
        (void)cell->columnIndex();
        (void)cell->isSelected();
        for (QAccessibleInterface* header : cell->columnHeaderCells()) (void)header->text(QAccessible::Name);
    }
}

// Reads the tree under `iface` as a screen reader walks it: every child by
// its index (in a long table the headers, the first rows and the last ones),
// each asked where it stands in its parent, and the table's cells by row and
// column.
void ReadTree(QAccessibleInterface* iface, ReadingLog& log, int depth = 0)
{
    if (!iface || !iface->isValid() || depth > 40) return;
    log.ids.insert(QAccessible::uniqueId(iface));
    ++log.interfaces;
    ReadOne(iface);
    if (QAccessibleTableInterface* table = iface->tableInterface()) {
        const int rows = table->rowCount();
        const int columns = table->columnCount();
        for (int c = 0; c < columns; ++c) (void)table->columnDescription(c);
        for (int r : {0, 1, rows / 2, rows - 1}) {
            if (r < 0 || r >= rows) continue;
            for (int c = 0; c < columns; ++c) {
                QAccessibleInterface* cell = table->cellAt(r, c);
                if (!cell) {
                    log.faults << QStringLiteral("no cell at %1, %2 of %3 x %4").arg(r).arg(c).arg(rows).arg(columns);
                    continue;
                }
                log.ids.insert(QAccessible::uniqueId(cell));
                ReadOne(cell);
            }
        }
        (void)table->selectedCellCount();
    }
    const int count = iface->childCount();
    constexpr int kHead = 120;
    constexpr int kTail = 40;
    for (int i = 0; i < count; ++i) {
        if (i == kHead && count > kHead + kTail) i = count - kTail;
        QAccessibleInterface* child = iface->child(i);
        if (!child) {
            log.faults << QStringLiteral("child %1 of %2 missing under %3")
                              .arg(i)
                              .arg(count)
                              .arg(iface->text(QAccessible::Name));
            continue;
        }
        if (child->isValid() && iface->indexOfChild(child) != i)
            log.faults << QStringLiteral("child %1 says it is child %2").arg(i).arg(iface->indexOfChild(child));
        ReadTree(child, log, depth + 1);
    }
}

// Asks every interface known by id again, as a tool does that kept them
// across a change: each is gone or says it is no longer valid, or reads
// as a live one.
int AskAgain(const QSet<QAccessible::Id>& ids)
{
    int live = 0;
    for (QAccessible::Id id : ids) {
        QAccessibleInterface* iface = QAccessible::accessibleInterface(id);
        if (!iface || !iface->isValid()) continue;
        ++live;
        ReadOne(iface);
        if (QAccessibleInterface* parent = iface->parent()) (void)parent->indexOfChild(iface);
    }
    return live;
}

// Every change the widgets announce is read at once, as a bridge to the
// assistive tools does.
void ReadAnnouncedChange(QAccessibleEvent* event)
{
    QAccessibleInterface* iface = event->accessibleInterface();
    if (!iface || !iface->isValid()) return;
    ReadOne(iface);
    if (QAccessibleInterface* parent = iface->parent()) (void)parent->childCount();
}

Step Accepted(std::function<void(QWidget*)> choose)
{
    return [choose](QWidget* dialog) {
        Choose(dialog, Shared::kEventCode, QStringLiteral("1"));
        choose(dialog);
        Click(dialog, button::kOk);
        if (dialog->isVisible()) {
            qWarning("the dialog stayed open");
            Click(dialog, button::kCancel);
        }
    };
}

void Relative(QWidget* dialog, const QString& method)
{
    SetChecked(dialog, Shared::kRelativeSurvival);
    Choose(dialog, Shared::kSexCodes, QStringLiteral("1"));
    SetChecked(dialog, Shared::kMale);
    Choose(dialog, Shared::kMethod, method);
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

    ScriptedMessages messages;
    ScriptedFileDialogs fileDialogs;
    AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};
    std::unique_ptr<CMainFrame> mainFrame;

    QMdiArea* Area() const { return mainFrame->mdiArea(); }

    CEventDataFrame* OpenData(const QString& relative)
    {
        CEventDataFrame* window = mainFrame->NewDataWindow();
        Read(window->view(), relative);
        window->SetSource(PathBytes(relative));
        return window;
    }

    // The cases of the file, with group, gender and birth, in place of the view's.
    void Read(CEventDataView* view, const QString& relative)
    {
        TextImportSettings settings;
        settings.useGroup = settings.useSex = settings.useBirth = true;
        const ReadResult<void> read = view->ReadTextFile(PathBytes(SourcePath(relative)), settings);
        if (!read) qFatal("%s", ReaderFaultMessage(read.fault()).c_str());
    }

    void Run(CEventDataFrame* data, int command, const Step& dialog)
    {
        Area()->setActiveSubWindow(data);
        ModalScript script({dialog});
        mainFrame->command(command)->trigger();
        QVERIFY(script.finished());
        QVERIFY2(messages.shown.isEmpty(), qPrintable(messages.shown.join(QLatin1Char('\n'))));
    }

    // Reads the whole tree from the main window down.
    ReadingLog ReadAll()
    {
        ReadingLog log;
        ReadTree(QAccessible::queryAccessibleInterface(mainFrame.get()), log);
        return log;
    }

    // The windows the tree lists under the workspace.
    QStringList ListedWindows()
    {
        QStringList names;
        QAccessibleInterface* area = QAccessible::queryAccessibleInterface(Area());
        if (!area) return names;
        for (int i = 0; i < area->childCount(); ++i)
            if (QAccessibleInterface* child = area->child(i); child && child->isValid() && !child->state().invisible)
                names << child->text(QAccessible::Name);
        return names;
    }

    void ReadClean(ReadingLog& known)
    {
        ReadingLog now = ReadAll();
        QVERIFY2(now.faults.isEmpty(), qPrintable(now.faults.join(QLatin1Char('\n'))));
        QVERIFY(now.interfaces > 20);
        AskAgain(known.ids);
        known.ids.unite(now.ids);
    }

private slots:
    void initTestCase()
    {
        std::setlocale(LC_NUMERIC, "C");
        std::setlocale(LC_TIME, "C");
        UseTemporarySettings();
        services.paths.lifeTables = SourcePath(QStringLiteral("data/LifeTables.mdb"));
        services.paths.referenceRateTables = SourcePath(QStringLiteral("data/ReferenceRateTables.mdb"));
        QAccessible::installUpdateHandler(ReadAnnouncedChange);
        // As when a screen reader starts: the platform's accessibility is on.
        QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
        QVERIFY(platform);
        platform->setActive(true);
        QVERIFY(QAccessible::isActive());
        mainFrame = std::make_unique<CMainFrame>(services);
        mainFrame->resize(1000, 700);
        mainFrame->show();
    }

    void init()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("QAccessible")));
        QTest::failOnWarning(QRegularExpression(QStringLiteral("Invalid index")));
    }

    void cleanupTestCase()
    {
        mainFrame.reset();
        QAccessible::installUpdateHandler(nullptr);
    }

    // A report view before it has a report is read like any other.
    void AnEmptyReportViewReads()
    {
        ReportTextView view;
        view.show();
        view.setFocus();
        ReadingLog log;
        ReadTree(QAccessible::queryAccessibleInterface(&view), log);
        QVERIFY2(log.faults.isEmpty(), qPrintable(log.faults.join(QLatin1Char('\n'))));
        QCOMPARE(QAccessible::queryAccessibleInterface(&view)->textInterface()->characterCount(), 0);
    }

    // Every kind of window read while cases are read again and windows close
    // one by one and all at once; what was read before a change is asked
    // again after it.
    void TheTreeReadsCleanWhileWindowsComeAndGo()
    {
        CEventDataFrame* colrec = OpenData(QStringLiteral("data/examples/colrec.txt"));
        CEventDataFrame* rdata = OpenData(QStringLiteral("data/examples/rdata.txt"));
        ReadingLog known;
        ReadClean(known);

        const QString lifeTable = QStringLiteral("Life table");
        const std::vector<std::pair<int, Step>> runs = {
            {command::kComputeLifeTable, Accepted([](QWidget*) {})},
            {command::kComputeProductLimit, Accepted([](QWidget*) {})},
            {command::kComputePeriodAnalysis,
             Accepted([&](QWidget* d) { Choose(d, ParameterDialog::kTechnique, lifeTable); })},
            {command::kComputePeriodAnalysis,
             Accepted([](QWidget* d) { Choose(d, ParameterDialog::kTechnique, QStringLiteral("Product-limit")); })},
            {command::kComputeTrend, Accepted([](QWidget*) {})},
            {command::kComputeLifeTable,
             Accepted([](QWidget* d) { Relative(d, QStringLiteral("Pohar-Perme (net survival)")); })},
            {command::kComputeSmrSir, Accepted([](QWidget* d) {
                 Choose(d, Shared::kSexCodes, QStringLiteral("1"));
                 SetChecked(d, Shared::kMale);
             })},
        };
        for (CEventDataFrame* data : {colrec, rdata}) {
            for (const auto& [command, dialog] : runs) {
                Run(data, command, dialog);
                ReadClean(known);
            }
        }
        QCOMPARE(Area()->subWindowList().size(), 2 + 2 * 13);

        // The cases of a data window change under a reader that holds its
        // cells: all rows selected, the last row current.
        CFullRowListCtrl* list = colrec->view()->list();
        Area()->setActiveSubWindow(colrec);
        list->setFocus();
        list->selectAll();
        list->setCurrentIndex(list->model()->index(list->model()->rowCount() - 1, 2));
        known = ReadAll();
        for (const QString& file : {QStringLiteral("data/examples/tiny.txt"), QStringLiteral("data/examples/rdata.txt"),
                                    QStringLiteral("data/examples/colrec.txt")}) {
            Read(colrec->view(), file);
            AskAgain(known.ids);
            ReadClean(known);
            list->selectAll();
            list->setCurrentIndex(list->model()->index(list->model()->rowCount() - 1, 1));
        }

        // A data window taken away while its list has the focus, as the
        // main window takes its children when it goes.
        {
            CEventDataFrame* doomed = OpenData(QStringLiteral("data/examples/colrec.txt"));
            Area()->setActiveSubWindow(doomed);
            doomed->view()->list()->setFocus();
            doomed->view()->list()->setCurrentIndex(doomed->view()->list()->model()->index(3, 2));
            known = ReadAll();
            delete doomed;
            AskAgain(known.ids);
        }

        // Ctrl+F4 on a data window, a chart window and a results window
        // (whose question is answered No).
        const QList<QMdiSubWindow*> opened = Area()->subWindowList();
        for (QMdiSubWindow* window : {opened.at(1), opened.at(5), opened.at(2)}) {
            QPointer<QMdiSubWindow> closing = window;
            const QAccessible::Id id = QAccessible::uniqueId(QAccessible::queryAccessibleInterface(window));
            const qsizetype listed = ListedWindows().size();
            Area()->setActiveSubWindow(window);
            messages.answers = {Messages::Answer::No};
            known = ReadAll();
            mainFrame->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(mainFrame.get()));
            window->widget()->setFocus(Qt::MouseFocusReason);  // as a click into the window gives it
            QVERIFY(window->isAncestorOf(QApplication::focusWidget()));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::ControlModifier);
            QCOMPARE(ListedWindows().size(), listed - 1);
            AskAgain(known.ids);
            QTRY_VERIFY(closing.isNull());
            QVERIFY(!QAccessible::accessibleInterface(id));
            AskAgain(known.ids);
            ReadClean(known);
        }
        QCOMPARE(Area()->subWindowList().size(), 2 + 2 * 13 - 3);
        messages.shown.clear();

        // Window > Close All, answering No to every question.
        known = ReadAll();
        messages.answers.assign(40, Messages::Answer::No);
        mainFrame->command(command::kWindowCloseAll)->trigger();
        QVERIFY(Area()->subWindowList().isEmpty());
        AskAgain(known.ids);
        QVERIFY(ListedWindows().isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        AskAgain(known.ids);
        ReadingLog after = ReadAll();
        QVERIFY2(after.faults.isEmpty(), qPrintable(after.faults.join(QLatin1Char('\n'))));
        QCOMPARE(messages.shown.size(), 2 * (7 + 6) - 2);  // one question per results and chart window
    }
};

}  // namespace kalderon::testing

QTEST_MAIN(kalderon::testing::AccessibilityTest)
#include "AccessibilityTest.moc"
