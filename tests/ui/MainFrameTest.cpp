#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <QWizard>
#include <QtTest>

#include "app/CEventDataFrame.h"
#include "app/CMainFrame.h"
#include "common/ui/DisplayText.h"
#include "common/ui/FileDialogs.h"
#include "common/ui/MainStatusBar.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UserProfile.h"
#include "support/GuiTestSupport.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessages.h"

namespace kalderon::testing {

// A child window that refuses to close while told to, as a window with
// unsaved content does when the person answers Cancel.
class RefusingFrame : public CChildFrame {
public:
    RefusingFrame() : CChildFrame(resource::kDataWindow, resource::kDataMenu) { setWidget(new QLabel("unsaved")); }

    bool refuse = true;
    int asked = 0;

protected:
    bool QueryClose() override
    {
        ++asked;
        return !refuse;
    }
};

class MainFrameTest : public QObject {
    Q_OBJECT

    ScriptedMessages messages;
    ScriptedFileDialogs fileDialogs;
    AppServices services{messages, fileDialogs, ApplicationPaths::AgainstWorkingDirectory()};

    QStringList MenuTitles(CMainFrame& frame)
    {
        QStringList titles;
        for (QAction* menu : frame.menuBar()->actions()) titles << menu->text();
        return titles;
    }

    // Each entry as "name text" ("-" for a separator), "(off)" when disabled.
    QStringList Entries(const QList<QAction*>& actions)
    {
        QStringList entries;
        for (QAction* action : actions) {
            if (action->isSeparator())
                entries << QStringLiteral("-");
            else
                entries << action->objectName() + QLatin1Char(' ') + action->text() +
                               (action->isEnabled() ? QString() : QStringLiteral(" (off)"));
        }
        return entries;
    }

    QList<QAction*> MenuActions(CMainFrame& frame, int index)
    {
        return frame.menuBar()->actions().at(index)->menu()->actions();
    }

private slots:
    void initTestCase() { UseTemporarySettings(); }

    void MenusFollowTheActiveChild()
    {
        CMainFrame frame(services);
        frame.show();
        QCOMPARE(frame.windowTitle(), QStringLiteral("KALDERON"));
        QCOMPARE(frame.shownMenu(), 128);
        QCOMPARE(MenuTitles(frame), QStringList({"&File", "&View", "&Help"}));
        QCOMPARE(Entries(MenuActions(frame, 0)),
                 QStringList({"id57600 &New\tCtrl+N (off)", "id32771 &Open data file ...",
                              "id32787 Open life table &chart ...", "-", "id57665 E&xit"}));
        QCOMPARE(Entries(MenuActions(frame, 1)), QStringList({"id59392 &Toolbar", "id59393 &Status Bar"}));
        QCOMPARE(Entries(MenuActions(frame, 2)), QStringList({"id57664 &About KALDERON..."}));

        CEventDataFrame* data = frame.NewDataWindow();
        QCOMPARE(frame.shownMenu(), 129);
        QCOMPARE(MenuTitles(frame), QStringList({"&File", "&Edit", "&View", "&Window", "&Help"}));
        QCOMPARE(Entries(MenuActions(frame, 0)),
                 QStringList({"id57600 &New\tCtrl+N (off)", "id32771 &Open data file ...",
                              "id32787 Open life table &chart ...", "id57602 &Close",
                              "id32774 &Save as ... (off)", "-", "id57665 E&xit"}));
        QCOMPARE(Entries(MenuActions(frame, 1)), QStringList({"id57635 Cu&t\tCtrl+X (off)", "id57634 &Copy\tCtrl+C (off)",
                                                              "id57637 &Paste\tCtrl+V (off)"}));

        // "&Close" closes the active child without asking; menu 128 returns.
        frame.command(command::kClose)->trigger();
        QTRY_VERIFY(frame.mdiArea()->subWindowList().isEmpty());
        QCOMPARE(frame.shownMenu(), 128);
        Q_UNUSED(data);
    }

    void ToolBarAndStatusBar()
    {
        CMainFrame frame(services);
        QStringList buttons;
        for (QAction* action : frame.toolBar()->actions()) {
            buttons << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
            if (action->isSeparator()) continue;
            QVERIFY(!action->toolTip().isEmpty());
            QCOMPARE(action->icon().availableSizes(), QList<QSize>({QSize(16, 15)}));
        }
        QCOMPARE(buttons, QStringList({"id32771", "id32787", "id32785", "id32782", "-", "id57635", "id57634", "id57637",
                                       "-", "id57607", "-", "id57664", "-", "id57665"}));
        QCOMPARE(frame.toolBar()->allowedAreas(), Qt::AllToolBarAreas);

        QCOMPARE(frame.mainStatusBar()->paneText(), QStringLiteral("Ready"));
        for (const char* indicator : {"CAP", "NUM", "SCRL"})
            QVERIFY(frame.mainStatusBar()->findChild<QLabel*>(QStringLiteral("indicator") + indicator));

        frame.command(command::kViewToolBar)->setChecked(false);
        QVERIFY(frame.toolBar()->isHidden());

        // Reading shows the wait cursor and its progress in the status bar.
        auto* progress = frame.mainStatusBar()->findChild<QProgressBar*>();
        {
            StatusBarReading reading(frame.mainStatusBar(), QStringLiteral("cases.txt"));
            QCOMPARE(frame.mainStatusBar()->paneText(), QStringLiteral("Reading cases.txt ..."));
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            QVERIFY(!progress->isHidden());
            reading.progress()(50, 200);
            QCOMPARE(progress->value(), 25);
        }
        QCOMPARE(frame.mainStatusBar()->paneText(), QStringLiteral("Ready"));
        QVERIFY(progress->isHidden());
        QVERIFY(!QApplication::overrideCursor());
    }

    void AboutBox()
    {
        CMainFrame frame(services);
        QString title;
        QStringList texts;
        ModalScript script({[&](QWidget* about) {
            title = about->windowTitle();
            for (QLabel* label : about->findChildren<QLabel*>()) texts << label->text();
            Click(about, 1);
        }});
        frame.command(command::kAbout)->trigger();
        QVERIFY(script.finished());
        QCOMPARE(title, QStringLiteral("About KALDERON"));
        QVERIFY(texts.contains(QStringLiteral("KALDERON Version 2.0")));
        QCOMPARE(texts.filter(QStringLiteral("\n")).front().count(QLatin1Char('\n')), 2);  // three lines
    }

    void OpenDataFileRemembersTheFolder()
    {
        QTemporaryDir root;
        QDir(root.path()).mkdir(QStringLiteral("data"));
        const QString path = root.filePath(QStringLiteral("data/cases.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("01.01.2000;31.12.2004;1\n");
        file.close();
        OpenUserProfile()->remove(QStringLiteral("Settings"));

        CMainFrame frame(services);
        fileDialogs.choice.clear();
        frame.command(command::kOpenDataFile)->trigger();
        QCOMPARE(fileDialogs.lastTitle, QStringLiteral("Open input data file"));
        QCOMPARE(fileDialogs.lastDirectory, QString());
        QCOMPARE(fileDialogs.lastFilter, QStringLiteral("ANSI Text files (*.txt)|*.txt|MS Access (*.mdb)|*.mdb|"
                                                        "dBase IV (*.dbf)|*.dbf|Excel 5.0/97 (*.xls)|*.xls|"
                                                        "All files (*.*)|*.*||"));
        QCOMPARE(LastImportDir(), QString());  // a cancelled dialog stores nothing

        fileDialogs.choice = path;
        bool wizardShown = false;
        ModalScript script({[&](QWidget* wizard) {
            wizardShown = qobject_cast<QWizard*>(wizard) != nullptr;
            qobject_cast<QDialog*>(wizard)->reject();
        }});
        frame.command(command::kOpenDataFile)->trigger();
        QVERIFY(wizardShown);
        QVERIFY(frame.mdiArea()->subWindowList().isEmpty());
        const QString folder = root.path() + QStringLiteral("/data/");
        QCOMPARE(OpenUserProfile()->value(QStringLiteral("Settings/LastImportDir")).toString(), folder);

        ModalScript again({[](QWidget* wizard) { Expect<QWizard>(wizard).reject(); }});
        frame.command(command::kOpenDataFile)->trigger();
        QCOMPARE(fileDialogs.lastDirectory, folder);

        QCOMPARE(FolderOfPath(QStringLiteral("/x/y/cases.txt")), QStringLiteral("/x/y/"));
        QCOMPARE(FolderOfPath(QStringLiteral("cases.txt")), QString());
    }

    void PathsAgainstTheWorkingDirectory()
    {
        QTemporaryDir start;
        const QString before = QDir::currentPath();
        QDir::setCurrent(start.path());
        const ApplicationPaths paths = ApplicationPaths::AgainstWorkingDirectory();
        QDir::setCurrent(before);
        QCOMPARE(paths.lifeTables, start.path() + QStringLiteral("/LifeTables.mdb"));
        QCOMPARE(paths.referenceRateTables, start.path() + QStringLiteral("/ReferenceRateTables.mdb"));
        QCOMPARE(paths.helpFile, start.path() + QStringLiteral("/KALDERON.chm"));
    }

    void FileDialogFilters()
    {
        QCOMPARE(QtNameFilters(UiString(200)), QStringLiteral("ANSI Text files (*.txt);;MS Access (*.mdb);;"
                                                               "dBase IV (*.dbf);;Excel 5.0/97 (*.xls);;All files (*)"));
        QCOMPARE(QtNameFilters(QStringLiteral("Tables|*.mdb;*.dbf||")), QStringLiteral("Tables (*.mdb *.dbf)"));
    }

    void CloseSequenceStopsAtTheFirstRefusal()
    {
        CMainFrame frame(services);
        frame.show();
        CEventDataFrame* first = frame.NewDataWindow();
        auto* refusing = new RefusingFrame;
        frame.AddChild(refusing);
        frame.NewDataWindow();  // active

        frame.command(command::kExit)->trigger();
        // The active data window closed, the refusing one was asked and
        // stays, and so do the windows not reached and the main window.
        QCOMPARE(refusing->asked, 1);
        QCOMPARE(frame.mdiArea()->subWindowList().size(), 2);
        QVERIFY(frame.mdiArea()->subWindowList().contains(first));
        QVERIFY(frame.mdiArea()->subWindowList().contains(refusing));
        QVERIFY(frame.isVisible());

        refusing->refuse = false;
        frame.command(command::kExit)->trigger();
        QVERIFY(frame.mdiArea()->subWindowList().isEmpty());
        QVERIFY(!frame.isVisible());
    }
};

}  // namespace kalderon::testing

QTEST_MAIN(kalderon::testing::MainFrameTest)
#include "MainFrameTest.moc"
