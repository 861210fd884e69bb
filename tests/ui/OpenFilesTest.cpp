#include <QAbstractButton>
#include <QAction>
#include <QTableView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QWizard>
#include <QtTest>

#include "app/CAboutDlg.h"
#include "app/CEventDataFrame.h"
#include "app/CLifeTableChartFrame.h"
#include "app/CMainFrame.h"
#include "app/OpenFile.h"
#include "app/RecentFileList.h"
#include "app/StartUp.h"
#include "charts/ChartFile.h"
#include "charts/ChartProfile.h"
#include "charts/LifeTableChart.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"
#include "common/ui/UserProfile.h"
#include "import/ui/CColumnSelectionDlg.h"
#include "import/ui/CEventDataView.h"
#include "import/ui/CFullRowListCtrl.h"
#include "import/ui/CTextImportSheet.h"
#include "import/ui/RoleAssignmentPage.h"
#include "support/ExampleAnalyses.h"
#include "support/GuiTestSupport.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessages.h"

namespace kalderon::testing {

// Files opened by path, as from the command line, a drop or the recent-files
// list; the list itself; the command line; the About box's text.
class OpenFilesTest : public QObject {
    Q_OBJECT

    ScriptedMessages messages;
    ScriptedFileDialogs fileDialogs;
    AppServices services{messages, fileDialogs, ApplicationPaths::Locate()};

    static int Windows(CMainFrame& frame) { return static_cast<int>(frame.mdiArea()->subWindowList().size()); }

    static void FinishWizard(QWidget* modal)
    {
        auto& sheet = Expect<CTextImportSheet>(modal);
        sheet.next();
        sheet.next();
        Click(sheet.currentPage(), RoleAssignmentPage::kUseGroup);
        sheet.button(QWizard::FinishButton)->click();
    }

    static void AssignPatients(QWidget* modal)
    {
        auto& dialog = Expect<CColumnSelectionDlg>(modal);
        Choose(&dialog, kComboBegin, QStringLiteral("BeginFU"));
        Choose(&dialog, kComboEnd, QStringLiteral("EndFU"));
        Choose(&dialog, kComboStatus, QStringLiteral("Status"));
        Click(&dialog, button::kOk);
    }

    // The entries the File menu lists after opening.
    static QStringList RecentEntries(CMainFrame& frame)
    {
        QMenu* file = frame.menuBar()->actions().front()->menu();
        emit file->aboutToShow();
        QStringList entries;
        for (QAction* action : file->actions())
            if (action->objectName().startsWith(QStringLiteral("recentFile"))) entries << action->text();
        return entries;
    }

private slots:
    void init()
    {
        UseTemporarySettings();
        OpenUserProfile()->clear();
        messages.shown.clear();
    }

    void TextFileAndDatabaseByPath()
    {
        CMainFrame frame(services);
        frame.show();
        const QString text = SourcePath(QStringLiteral("data/examples/tiny.txt"));
        const QString database = SourcePath(QStringLiteral("tests/data/access/cases.mdb"));
        ModalScript script({FinishWizard, AssignPatients});
        OpenFilesByPath(frame, {text, database});
        QVERIFY(script.finished());
        QCOMPARE(Windows(frame), 2);
        const QList<QMdiSubWindow*> windows = frame.mdiArea()->subWindowList();
        QCOMPARE(windows[0]->windowTitle(), QStringLiteral("Input Data  ") + text);
        QCOMPARE(windows[1]->windowTitle(), QStringLiteral("Input Data  ") + database + QStringLiteral(" - Patients"));
        QCOMPARE(qobject_cast<CEventDataFrame*>(windows[0])->view()->list()->model()->rowCount(), 12);
        QCOMPARE(RecentFiles(), QStringList({database, text}));
        QCOMPARE(OpenUserProfile()->value(QStringLiteral("Settings/LastImportDir")).toString(),
                 SourcePath(QStringLiteral("tests/data/access/")));

        // A cancelled import opens nothing and lists nothing.
        ModalScript cancelled({[](QWidget* modal) { Expect<CTextImportSheet>(modal).reject(); }});
        OpenFileByPath(frame, SourcePath(QStringLiteral("data/examples/rdata.txt")));
        QCOMPARE(Windows(frame), 2);
        QCOMPARE(RecentFiles().size(), 2);
        QVERIFY(messages.shown.isEmpty());
    }

    void ChartFileGoesToTheChartOpening()
    {
        CMainFrame frame(services);
        QTemporaryDir folder;
        // A file that stops after its signature: the chart's message, no window.
        const QString damaged = folder.filePath(QStringLiteral("survival.CHT"));
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("LifeTableChartFile_1_0");
        file.close();
        OpenFileByPath(frame, damaged);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(Windows(frame), 0);
        QVERIFY(RecentFiles().isEmpty());

        // A saved chart opens in a chart window titled with its path.
        const DataSet data = ExampleAnalysis(kLifeTable);
        LifeTableChart chart;
        chart.InitFromAnalysis(data.analysis, kChartLifeTable, 0, MemoryChartProfile());
        const QString saved = folder.filePath(QStringLiteral("life.cht"));
        QVERIFY(WriteChartFile(chart, PathBytes(saved)));
        messages.shown.clear();
        OpenFileByPath(frame, saved);
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(Windows(frame), 1);
        QVERIFY(qobject_cast<CLifeTableChartFrame*>(frame.mdiArea()->currentSubWindow()));
        QCOMPARE(frame.mdiArea()->currentSubWindow()->windowTitle(), saved);
        QCOMPARE(RecentFiles(), QStringList({saved}));
    }

    void RecentFilesKeepFourAndDropMissingOnes()
    {
        QTemporaryDir folder;
        QStringList files;
        for (int i = 1; i <= 5; ++i) {
            files << folder.filePath(QStringLiteral("f%1.txt").arg(i));
            AddRecentFile(files.back());
        }
        QCOMPARE(RecentFiles(), QStringList({files[4], files[3], files[2], files[1]}));
        AddRecentFile(files[2]);  // to the top, once
        QCOMPARE(RecentFiles(), QStringList({files[2], files[4], files[3], files[1]}));
        QCOMPARE(OpenUserProfile()->value(QStringLiteral("Recent File List/File1")).toString(), files[2]);

        CMainFrame frame(services);
        frame.show();
        const QStringList entries = RecentEntries(frame);
        QCOMPARE(entries.size(), 4);
        QCOMPARE(entries.front(), QStringLiteral("&1 ") + files[2]);
        QCOMPARE(RecentEntries(frame).size(), 4);  // filled anew, not added twice

        // Choosing one that no longer exists says so and takes it off.
        QMenu* file = frame.menuBar()->actions().front()->menu();
        file->findChild<QAction*>(QStringLiteral("recentFile1"))->trigger();
        QCOMPARE(messages.shown, QStringList(QStringLiteral("The file %1 does not exist.").arg(files[2])));
        QCOMPARE(RecentFiles(), QStringList({files[4], files[3], files[1]}));
        QCOMPARE(RecentEntries(frame).size(), 3);
    }

    void DroppedFilesOpen()
    {
        struct DropTarget : CMainFrame {
            using CMainFrame::CMainFrame;
            using CMainFrame::dropEvent;
        } frame(services);
        frame.show();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(SourcePath(QStringLiteral("data/examples/tiny.txt")))});
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        ModalScript script({FinishWizard});
        QVERIFY(frame.acceptDrops());
        frame.dropEvent(&drop);
        QTRY_VERIFY(script.finished());
        QCOMPARE(Windows(frame), 1);
    }

    void CommandLineAndAboutText()
    {
        const CommandLine line = ParseCommandLine({"kalderon", "a.txt", "--version", "--", "--b.cht"});
        QCOMPARE(line.files, QStringList({"a.txt", "--b.cht"}));
        QVERIFY(line.version);
        QCOMPARE(ParseCommandLine({"kalderon", "--bad", "x"}).unknownOption, QStringLiteral("--bad"));

        const ApplicationPaths paths = ApplicationPaths::Locate();
        const QString text = CAboutDlg::BuildText(paths);
        QVERIFY(text.startsWith(QStringLiteral("Version 2.0, built ")));
        QVERIFY(text.contains(QStringLiteral("Help file: ") + paths.helpFile + QStringLiteral("\n")));
        QVERIFY(text.contains(QStringLiteral("Population tables: ") + paths.lifeTables));
        QVERIFY(!text.contains(QStringLiteral("not found")));
        QVERIFY(CAboutDlg::BuildText({QStringLiteral("/x/L.mdb"), QStringLiteral("/x/R.mdb"), QStringLiteral("/x/K.chm")})
                    .contains(QStringLiteral("/x/K.chm (not found)")));
        QCOMPARE(VersionText(paths), QStringLiteral("KALDERON\n") + text + QStringLiteral("\n"));
    }
};

}  // namespace kalderon::testing

QTEST_MAIN(kalderon::testing::OpenFilesTest)
#include "OpenFilesTest.moc"
