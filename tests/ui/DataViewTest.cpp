#include <QAction>
#include <QClipboard>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include "app/CEventDataFrame.h"
#include "app/CMainFrame.h"
#include "common/ui/MainStatusBar.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"
#include "import/ui/CEventDataView.h"
#include "import/ui/CFullRowListCtrl.h"
#include "import/ui/CaseListModel.h"
#include "import/ui/ShortenedText.h"
#include "support/GuiTestSupport.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessages.h"

namespace kalderon::testing {

class DataViewTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

    std::string Write(const QByteArray& bytes)
    {
        const QString path = folder.filePath(QStringLiteral("cases.txt"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write");
        file.write(bytes);
        return PathBytes(path);
    }

private slots:
    void initTestCase() { UseTemporarySettings(); }

    void ColumnsHeadersAndWidths()
    {
        CEventDataView view;
        const QAbstractItemModel* model = view.list()->model();
        QStringList headers;
        for (int column = 0; column < model->columnCount(); ++column) {
            headers << model->headerData(column, Qt::Horizontal).toString();
            QCOMPARE(model->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(),
                     Qt::AlignRight | Qt::AlignVCenter);
        }
        QCOMPARE(headers, QStringList({"Case No.", "Begin of follow-up", "End of follow-up", "Status at end of follow-up",
                                       "Group", "Gender", "Date of birth", "Observation time [days]"}));
        QCOMPARE(view.list()->objectName(), ControlName(CEventDataView::kListControl));
        QVERIFY(!view.list()->horizontalHeader()->sectionsClickable());
        QVERIFY(!view.list()->isSortingEnabled());

        // Widths in the proportions 60:100:90:135:60:60:80:125, at least those pixels.
        const int widths[] = {60, 100, 90, 135, 60, 60, 80, 125};
        for (int column = 0; column < 8; ++column) view.list()->setColumnHidden(column, false);
        const double scale = view.list()->columnWidth(0) / 60.0;
        QVERIFY(scale >= 1.0);
        for (int column = 0; column < 8; ++column)
            QVERIFY(qAbs(view.list()->columnWidth(column) - widths[column] * scale) <= 2.0);
        // Wide enough for a date with its margins.
        QVERIFY(view.list()->fontMetrics().horizontalAdvance(QStringLiteral("30.12.1899")) + 12 <=
                view.list()->columnWidth(CaseListModel::kBirth));
    }

    void RowsAndOptionalColumns()
    {
        CEventDataView view;
        TextImportSettings settings;
        QVERIFY(view.ReadTextFile(Write("05.03.2001;05.03.2002;1;G;m;01.02.1950\n"
                                        "05.03.2001;04.03.2001;dead\n"),
                                  settings)
                    .ok());
        // Without the optional roles five columns show.
        int shown = 0;
        for (int column = 0; column < 8; ++column) shown += view.list()->isColumnHidden(column) ? 0 : 1;
        QCOMPARE(shown, 5);
        QVERIFY(view.list()->isColumnHidden(CaseListModel::kGroup));
        QCOMPARE(view.list()->columnWidth(CaseListModel::kGroup), 0);
        const QAbstractItemModel* model = view.list()->model();
        QCOMPARE(model->index(0, CaseListModel::kObservation).data().toString(), QStringLiteral("365"));
        QCOMPARE(model->index(1, CaseListModel::kObservation).data().toString(), QStringLiteral("-1"));
        QCOMPARE(model->index(1, CaseListModel::kStatus).data().toString(), QStringLiteral("dead"));
        QCOMPARE(model->index(0, CaseListModel::kBirth).data().toString(), QString());
        QCOMPARE(model->index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);

        settings.useBirth = settings.useSex = true;
        QVERIFY(view.ReadTextFile(Write("05.03.2001;05.03.2002;1;G;m;01.02.1950\n"
                                        "05.03.2001;05.03.2002;1;G;f;31.02.1950\n"),
                                  settings)
                    .ok());
        QVERIFY(!view.list()->isColumnHidden(CaseListModel::kBirth));
        QVERIFY(!view.list()->isColumnHidden(CaseListModel::kGender));
        QVERIFY(view.list()->isColumnHidden(CaseListModel::kGroup));
        QCOMPARE(view.list()->columnWidth(CaseListModel::kBirth), view.list()->horizontalHeader()->sectionSize(6));
        QCOMPARE(model->index(0, CaseListModel::kBirth).data().toString(), QStringLiteral("01.02.1950"));
        QCOMPARE(model->index(1, CaseListModel::kBirth).data().toString(), QStringLiteral("Invalid date"));
        QCOMPARE(model->index(1, CaseListModel::kGender).data().toString(), QStringLiteral("f"));
    }

    void CountsAndMarksOfInvalidCases()
    {
        ScriptedMessages messages;
        ScriptedFileDialogs fileDialogs;
        AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};
        CMainFrame frame(services);
        frame.show();
        CEventDataFrame* window = frame.NewDataWindow();
        TextImportSettings settings;
        settings.useBirth = true;
        QVERIFY(window->view()->ReadTextFile(Write("01.01.2000;31.12.2004;1;;;05.05.1950\n"
                                                   "Begin;End;Status\n"
                                                   "05.03.2001;01.01.2001;0;;;05.05.1950\n"
                                                   "01.01.2000;31.12.2004;1;;;02.02.2001\n"),
                                             settings)
                    .ok());
        QCOMPARE(window->view()->countsText(), QStringLiteral("4 cases read: 1 valid, 3 skipped"));
        QCOMPARE(frame.mainStatusBar()->caseCounts(), QStringLiteral("4 cases read: 1 valid, 3 skipped"));

        const QAbstractItemModel* model = window->view()->list()->model();
        const auto invalid = [model](int row) { return model->index(row, 2).data(CaseListModel::kInvalidCaseRole).toBool(); };
        const auto tip = [model](int row) { return model->index(row, 0).data(Qt::ToolTipRole).toString(); };
        QVERIFY(!invalid(0));
        QCOMPARE(tip(0), QString());
        QVERIFY(invalid(1));
        QCOMPARE(tip(1), QStringLiteral("Not valid: invalid begin date, invalid end date, invalid date of birth"));
        QCOMPARE(tip(2), QStringLiteral("Not valid: end before begin"));
        QCOMPARE(tip(3), QStringLiteral("Not valid: date of birth after begin"));

        // Invalid rows are drawn in muted text on a tinted ground, still readable.
        window->view()->list()->clearSelection();
        window->view()->list()->clearFocus();
        const QImage image = window->view()->list()->viewport()->grab().toImage();
        const int rowHeight = window->view()->list()->rowHeight(0);
        const QColor valid = image.pixelColor(2, rowHeight / 2);
        const QColor marked = image.pixelColor(2, rowHeight + rowHeight / 2);
        QCOMPARE(valid, window->view()->list()->palette().base().color());
        QVERIFY(marked != valid);
        QVERIFY(marked.red() > marked.green());

        // Another window shows its own counts; none without a data window.
        CEventDataFrame* empty = frame.NewDataWindow();
        QCOMPARE(frame.mainStatusBar()->caseCounts(), QStringLiteral("0 cases read: 0 valid, 0 skipped"));
        frame.mdiArea()->setActiveSubWindow(window);
        QCOMPARE(frame.mainStatusBar()->caseCounts(), QStringLiteral("4 cases read: 1 valid, 3 skipped"));
        empty->close();
        window->close();
        QTRY_COMPARE(frame.mainStatusBar()->caseCounts(), QString());
    }

    void DataCheckAboveTheList()
    {
        qputenv("SOURCE_DATE_EPOCH", "1700000000");  // November 2023
        CEventDataView view;
        view.resize(800, 300);
        view.show();
        TextImportSettings settings;
        settings.useBirth = true;
        QVERIFY(view.ReadTextFile(Write("01.01.2000;31.12.2004;1;;;05.05.1950\n"
                                        "01.01.0001;31.12.9999;1;;;05.05.1950\n"
                                        "01.01.2000;31.12.2023;1;;;01.01.1849\n"
                                        "01.01.2000;01.01.2024;1;;;31.12.1902\n"),
                                  settings)
                    .ok());
        QLabel* check = view.dataCheck();
        QVERIFY(check->isVisible());
        QCOMPARE(check->text(),
                 QStringLiteral("Data check: implausible dates (before 1850, after 2023, or an age below 0 or over 120 "
                                "years) in 3 of 4 cases:\n"
                                "case 2: begin of follow-up 01.01.1, end of follow-up 31.12.9999, born after the begin "
                                "of follow-up, 8049 years old at the end of follow-up\n"
                                "case 3: date of birth 01.01.1849, 174 years old at the end of follow-up\n"
                                "case 4: end of follow-up 01.01.2024, 121 years old at the end of follow-up"));
        // The check lists; every row stays, valid or not as before.
        QCOMPARE(view.list()->model()->rowCount(), 4);
        QCOMPARE(view.countsText(), QStringLiteral("4 cases read: 3 valid, 1 skipped"));
        QVERIFY(check->geometry().bottom() < view.list()->geometry().top());

        // The present year comes from the same clock as the report's.
        qputenv("SOURCE_DATE_EPOCH", "1735732800");  // 1 January 2025, noon
        QVERIFY(view.ReadTextFile(Write("01.01.2000;01.01.2024;1;;;01.01.1950\n"), settings).ok());
        QVERIFY(!check->isVisible());
        qunsetenv("SOURCE_DATE_EPOCH");
    }

    void CopyOfSelectedRowsAndSelectAll()
    {
        ScriptedMessages messages;
        ScriptedFileDialogs fileDialogs;
        AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};
        CMainFrame frame(services);
        frame.show();
        CEventDataFrame* window = frame.NewDataWindow();
        TextImportSettings settings;
        settings.useGroup = true;
        QVERIFY(window->view()->ReadTextFile(Write("01.01.2000;31.12.2004;1;A\n"
                                                   "02.02.2001;30.06.2003;0;B\n"
                                                   "x;y;z;C\n"),
                                             settings)
                    .ok());
        QAction* copy = frame.command(command::kCopy);
        QAction* selectAll = frame.command(command::kSelectAll);
        QVERIFY(!copy->isEnabled());
        QVERIFY(selectAll->isEnabled());

        CFullRowListCtrl* list = window->view()->list();
        list->selectRow(2);
        list->selectionModel()->select(list->model()->index(0, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QVERIFY(copy->isEnabled());
        QGuiApplication::clipboard()->clear();
        copy->trigger();
        // Visible columns only, header first, rows in list order.
        const QString expected = QStringLiteral(
            "Case No.\tBegin of follow-up\tEnd of follow-up\tStatus at end of follow-up\tGroup\tObservation time [days]\n"
            "1\t01.01.2000\t31.12.2004\t1\tA\t1826\n"
            "3\tInvalid date\tInvalid date\tz\tC\t-1\n");
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);

        // Ctrl+C in the list copies the rows as well, not only the current cell.
        QGuiApplication::clipboard()->clear();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);

        selectAll->trigger();
        QCOMPARE(list->selectionModel()->selectedRows().size(), 3);
        QCOMPARE(window->view()->SelectedRowsText().count(QLatin1Char('\n')), 4);
        list->clearSelection();
        QVERIFY(!copy->isEnabled());

        window->close();
        QTRY_VERIFY(!selectAll->isEnabled());
    }

    void LongTextsAreCutWithDots()
    {
        const QFontMetrics metrics(QFont(QStringLiteral("DejaVu Sans"), 9));
        const QString status = QStringLiteral("deceased after a long illness");
        const int whole = metrics.horizontalAdvance(status);
        QCOMPARE(ShortenedText(status, whole + 12, 12, metrics), status);

        const QString cut = ShortenedText(status, whole, 12, metrics);
        QVERIFY(cut.endsWith(QStringLiteral("...")));
        QVERIFY(status.startsWith(cut.chopped(3)));
        QVERIFY(metrics.horizontalAdvance(cut) + 12 <= whole);
        // One character more would not fit.
        const QString longer = status.left(cut.size() - 3 + 1) + QStringLiteral("...");
        QVERIFY(metrics.horizontalAdvance(longer) + 12 > whole);
        // A wider column shows more.
        QVERIFY(ShortenedText(status, whole + 6, 12, metrics).size() > cut.size());
        // Down to no characters at all.
        QCOMPARE(ShortenedText(status, 5, 12, metrics), QStringLiteral("..."));
        // Texts are cut to 259 characters before they are drawn.
        QCOMPARE(ShortenedText(QString(300, QLatin1Char('x')), 1 << 20, 0, metrics).size(), 259);
    }

    // View > All columns lists every column of the file after the cases'
    // columns, for the active data window, and takes them away again.
    void AllColumnsOfTheFile()
    {
        ScriptedMessages messages;
        ScriptedFileDialogs fileDialogs;
        AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};
        CMainFrame frame(services);
        frame.show();
        CEventDataFrame* window = frame.NewDataWindow();
        TextImportSettings settings;
        settings.separator = ",";
        settings.firstLineNames = settings.quotedFields = true;
        settings.beginName = "diagnosis";
        settings.endName = "last_contact";
        settings.statusName = "vital_status";
        settings.groupName = "stage";
        settings.useGroup = true;
        settings.beginFormat = settings.endFormat = "YYYY-MM-DD";
        QVERIFY(window->view()->ReadTextFile(Write("id,diagnosis,last_contact,vital_status,stage,hospital\n"
                                                   "17,2001-03-05,2004-12-31,1,II,\"St. Anna, Linz\"\n"
                                                   "18,2002-01-10,2005-06-30,0,I\n"
                                                   "19,2002-13-10,2005-06-30,0,III,Wels,late\n"),
                                             settings)
                    .ok());
        QAction* allColumns = frame.command(command::kViewAllColumns);
        QVERIFY(allColumns->isEnabled());
        QVERIFY(allColumns->isCheckable());
        QVERIFY(!allColumns->isChecked());
        QCOMPARE(allColumns->text(), QStringLiteral("&All columns"));
        QMenu* view = frame.menuBar()->actions().at(2)->menu();
        QCOMPARE(frame.menuBar()->actions().at(2)->text(), QStringLiteral("&View"));
        QCOMPARE(view->actions().last(), allColumns);
        const QAbstractItemModel* model = window->view()->list()->model();
        QCOMPARE(model->columnCount(), 8);

        allColumns->trigger();
        QVERIFY(allColumns->isChecked());
        QStringList headers;
        for (int column = 8; column < model->columnCount(); ++column)
            headers << model->headerData(column, Qt::Horizontal).toString();
        QCOMPARE(headers, QStringList({"id", "diagnosis", "last_contact", "vital_status", "stage", "hospital", "F7"}));
        const auto row = [model](int r) {
            QStringList cells;
            for (int column = 0; column < model->columnCount(); ++column) cells << model->index(r, column).data().toString();
            return cells;
        };
        QCOMPARE(row(0), QStringList({"1", "05.03.2001", "31.12.2004", "1", "II", "", "", "1397", "17", "2001-03-05",
                                      "2004-12-31", "1", "II", "St. Anna, Linz", ""}));
        QCOMPARE(row(2), QStringList({"3", "Invalid date", "30.06.2005", "0", "III", "", "", "-1", "19", "2002-13-10",
                                      "2005-06-30", "0", "III", "Wels", "late"}));
        // Each column shows its name and values whole.
        const QFontMetrics metrics = window->view()->list()->fontMetrics();
        for (int column = 8; column < model->columnCount(); ++column)
            for (int r = -1; r < model->rowCount(); ++r) {
                const QString text = r < 0 ? model->headerData(column, Qt::Horizontal).toString()
                                           : model->index(r, column).data().toString();
                QVERIFY(metrics.horizontalAdvance(text) + 12 <= window->view()->list()->columnWidth(column));
            }
        // A copy takes the file's columns too.
        window->view()->list()->selectRow(1);
        QCOMPARE(window->view()->SelectedRowsText().section(QLatin1Char('\n'), 1, 1),
                 QStringLiteral("2\t10.01.2002\t30.06.2005\t0\tI\t1267\t18\t2002-01-10\t2005-06-30\t0\tI\t\t"));

        // Each data window has its own choice; the command follows the active one.
        CEventDataFrame* other = frame.NewDataWindow();
        QVERIFY(!allColumns->isChecked());
        QCOMPARE(other->view()->list()->model()->columnCount(), 8);
        frame.mdiArea()->setActiveSubWindow(window);
        QVERIFY(allColumns->isChecked());
        allColumns->trigger();
        QVERIFY(!allColumns->isChecked());
        QCOMPARE(model->columnCount(), 8);
        other->close();
        window->close();
        QTRY_VERIFY(!allColumns->isEnabled());
    }

    void DataWindowFillsItsFrame()
    {
        ScriptedMessages messages;
        ScriptedFileDialogs fileDialogs;
        AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};
        CMainFrame frame(services);
        frame.show();
        CEventDataFrame* window = frame.NewDataWindow();
        window->resize(500, 300);
        QTRY_COMPARE(window->view()->list()->size(), window->widget()->size());
        window->resize(700, 450);
        QTRY_COMPARE(window->view()->list()->size(), window->widget()->size());
        QVERIFY(window->widget()->width() > 600);
    }
};

}  // namespace kalderon::testing

QTEST_MAIN(kalderon::testing::DataViewTest)
#include "DataViewTest.moc"
