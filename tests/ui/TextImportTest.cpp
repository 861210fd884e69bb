#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QWizard>
#include <QtTest>

#include "app/CEventDataFrame.h"
#include "app/CMainFrame.h"
#include "common/ui/MainStatusBar.h"
#include "app/OpenDataFile.h"
#include "common/ui/ResourceIds.h"
#include "import/ui/CEventDataView.h"
#include "import/ui/CFullRowListCtrl.h"
#include "import/ui/CaseListModel.h"
#include "support/GuiTestSupport.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessages.h"

namespace kalderon::testing {

// Opening text files through "Open data file" and the wizard, down to the
// rows of the data window.
class TextImportTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    ScriptedMessages messages;
    ScriptedFileDialogs fileDialogs;
    AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};

    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
        file.write(bytes);
        return path;
    }

    // Opens the file through the main frame, letting `drive` work the wizard.
    CEventDataFrame* Open(CMainFrame& frame, const QString& path, std::function<void(QWizard&)> drive)
    {
        fileDialogs.choice = path;
        ModalScript script({[drive](QWidget* modal) { drive(Expect<QWizard>(modal)); }});
        const qsizetype before = frame.mdiArea()->subWindowList().size();
        frame.command(command::kOpenDataFile)->trigger();
        if (frame.mdiArea()->subWindowList().size() == before) return nullptr;
        return qobject_cast<CEventDataFrame*>(frame.mdiArea()->currentSubWindow());
    }

    static QStringList Row(CEventDataView* view, int row)
    {
        QStringList cells;
        const QAbstractItemModel* model = view->list()->model();
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        return cells;
    }

    static QList<bool> Hidden(CEventDataView* view)
    {
        QList<bool> hidden;
        for (int column = 0; column < CaseListModel::kColumnCount; ++column)
            hidden << view->list()->isColumnHidden(column);
        return hidden;
    }

private slots:
    void initTestCase() { UseTemporarySettings(); }

    void FreeFormatListsEveryCase()
    {
        const QString path = Write(QStringLiteral("free.csv"),
                                   "01.01.2000;31.12.2004;1;A\n"
                                   "\n"
                                   "Begin;End;Status;Group\n"
                                   "05.03.2001;01.01.2001;0;B\n");
        CMainFrame frame(services);
        CEventDataFrame* window = Open(frame, path, [](QWizard& wizard) {
            wizard.next();
            wizard.next();
            SetChecked(wizard.currentPage(), 1062);
            wizard.button(QWizard::FinishButton)->click();
        });
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Input Data  ") + path);
        CEventDataView* view = window->view();
        QCOMPARE(view->sourcePath(), path.toStdString());
        QCOMPARE(view->list()->model()->rowCount(), 3);
        QCOMPARE(Row(view, 0), QStringList({"1", "01.01.2000", "31.12.2004", "1", "A", "", "", "1826"}));
        // A header line is a case like any other, and invalid.
        QCOMPARE(Row(view, 1), QStringList({"2", "Invalid date", "Invalid date", "Status", "Group", "", "", "-1"}));
        QCOMPARE(Row(view, 2), QStringList({"3", "05.03.2001", "01.01.2001", "0", "B", "", "", "-63"}));
        QCOMPARE(Hidden(view), QList<bool>({false, false, false, false, false, true, true, false}));
        QVERIFY(view->data().hasGroupColumn);
        QCOMPARE(view->data().cases.groups.size(), size_t(3));
        QCOMPARE(frame.mainStatusBar()->paneText(), QStringLiteral("Ready"));
    }

    void FixedColumnsListEveryCase()
    {
        const QString path = Write(QStringLiteral("fixed.txt"),
                                   "01.01.200031.12.20041 1950-05-05\n"
                                   "abcdefghij31.12.2004x 1960-06-06\n");
        CMainFrame frame(services);
        CEventDataFrame* window = Open(frame, path, [](QWizard& wizard) {
            Click(wizard.currentPage(), 1006);
            wizard.next();
            QWidget* page = wizard.currentPage();
            SetText(page, 1014, QStringLiteral("10"));
            SetText(page, 1012, QStringLiteral("11"));
            SetText(page, 1015, QStringLiteral("20"));
            SetText(page, 1013, QStringLiteral("21"));
            SetText(page, 1016, QStringLiteral("22"));
            SetChecked(page, 1064);
            SetText(page, 1036, QStringLiteral("32"));
            SetText(page, 1034, QStringLiteral("23"));
            Control<QComboBox>(page, 1038)->setEditText(QStringLiteral("YYYY-MM-DD"));
            wizard.button(QWizard::FinishButton)->click();
        });
        QVERIFY(window);
        CEventDataView* view = window->view();
        QCOMPARE(view->list()->model()->rowCount(), 2);
        // The status piece keeps its blank.
        QCOMPARE(Row(view, 0), QStringList({"1", "01.01.2000", "31.12.2004", "1 ", "", "", "05.05.1950", "1826"}));
        QCOMPARE(Row(view, 1).mid(1, 3), QStringList({"Invalid date", "31.12.2004", "x "}));
        QCOMPARE(Hidden(view), QList<bool>({false, false, false, false, true, true, false, false}));
    }

    void CancelOpensNoWindow()
    {
        const QString path = Write(QStringLiteral("cancel.txt"), "01.01.2000;31.12.2004;1\n");
        CMainFrame frame(services);
        QVERIFY(!Open(frame, path, [](QWizard& wizard) {
            wizard.next();
            wizard.reject();
        }));
        QVERIFY(frame.mdiArea()->subWindowList().isEmpty());
    }

    void UnreadableFileIsReported()
    {
        const QString path = Write(QStringLiteral("gone.txt"), "01.01.2000;31.12.2004;1\n");
        CMainFrame frame(services);
        messages.shown.clear();
        QVERIFY(!Open(frame, path, [path](QWizard& wizard) {
            QFile::remove(path);
            wizard.next();
            wizard.next();
            wizard.button(QWizard::FinishButton)->click();
        }));
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(messages.shown.front().contains(path));
        QTRY_VERIFY(frame.mdiArea()->subWindowList().isEmpty());
    }
};

}  // namespace kalderon::testing

QTEST_MAIN(kalderon::testing::TextImportTest)
#include "TextImportTest.moc"
