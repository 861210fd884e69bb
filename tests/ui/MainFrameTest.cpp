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

#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>

#include "app/CEventDataFrame.h"
#include "app/CMainFrame.h"
#include "app/ChildWindowPlacement.h"
#include "app/MainWindowGeometry.h"
#include "common/ui/FileDialogs.h"
#include "common/ui/HelpKey.h"
#include "common/ui/LockKeyIndicators.h"
#include "common/ui/MainStatusBar.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"
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
        QCOMPARE(frame.shownMenu(), resource::kMainFrame);
        QCOMPARE(MenuTitles(frame), QStringList({"&File", "&View", "&Help"}));
        QCOMPARE(Entries(MenuActions(frame, 0)),
                 QStringList({ControlName(command::kNew) + " &New\tCtrl+N (off)",
                              ControlName(command::kOpenDataFile) + " &Open data file ...",
                              ControlName(command::kOpenChart) + " Open life table &chart ...",
                              ControlName(command::kOpenAnalysis) + " Open &analysis ...",
                              ControlName(command::kResetDefaults) + " Reset default values to original settings ...",
                              "-",
                              ControlName(command::kExit) + " E&xit"}));
        QCOMPARE(Entries(MenuActions(frame, 1)),
                 QStringList({ControlName(command::kViewToolBar) + " &Toolbar",
                              ControlName(command::kViewStatusBar) + " &Status Bar"}));
        QCOMPARE(Entries(MenuActions(frame, 2)),
                 QStringList({ControlName(command::kHelpContents) + " &Contents",
                              ControlName(command::kQuickTour) + " Quick Tour",
                              "-",
                              ControlName(command::kAbout) + " &About KALDERON..."}));

        CEventDataFrame* data = frame.NewDataWindow();
        QCOMPARE(frame.shownMenu(), resource::kDataMenu);
        QCOMPARE(MenuTitles(frame), QStringList({"&File", "&Edit", "&View", "&Data", "&Compute", "&Window", "&Help"}));
        QCOMPARE(Entries(MenuActions(frame, 0)),
                 QStringList({ControlName(command::kNew) + " &New\tCtrl+N (off)",
                              ControlName(command::kOpenDataFile) + " &Open data file ...",
                              ControlName(command::kOpenChart) + " Open life table &chart ...",
                              ControlName(command::kOpenAnalysis) + " Open &analysis ...",
                              ControlName(command::kResetDefaults) + " Reset default values to original settings ...",
                              ControlName(command::kClose) + " &Close",
                              ControlName(command::kSaveAs) + " &Save as ... (off)",
                              ControlName(command::kSaveAnalysis) + " Save anal&ysis ... (off)",
                              "-",
                              ControlName(command::kPageSetup) + " Page set&up ...",
                              ControlName(command::kPrintPreview) + " Print pre&view (off)",
                              ControlName(command::kPrint) + " &Print ... (off)",
                              "-",
                              ControlName(command::kExit) + " E&xit"}));
        QCOMPARE(Entries(MenuActions(frame, 1)),
                 QStringList({ControlName(command::kCut) + " Cu&t\tCtrl+X (off)",
                              ControlName(command::kCopy) + " &Copy\tCtrl+C (off)",
                              ControlName(command::kPaste) + " &Paste\tCtrl+V (off)",
                              "-",
                              ControlName(command::kSelectAll) + " Select &All\tCtrl+A",
                              "-",
                              ControlName(command::kCopyCommandLine) + " Copy command &line (off)"}));
        QCOMPARE(Entries(MenuActions(frame, 3)),
                 QStringList({ControlName(command::kSelectCases) + " &Select cases ...",
                              ControlName(command::kAllCases) + " &All cases (off)",
                              "-",
                              ControlName(command::kGroupCases) + " &Group cases by ..."}));

        // "&Close" closes the active child without asking; the main menu returns.
        frame.command(command::kClose)->trigger();
        QTRY_VERIFY(frame.mdiArea()->subWindowList().isEmpty());
        QCOMPARE(frame.shownMenu(), resource::kMainFrame);
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
        QCOMPARE(buttons, QStringList({ControlName(command::kOpenDataFile), ControlName(command::kOpenChart),
                                       ControlName(command::kSaveChart), ControlName(command::kExportChart), "-",
                                       ControlName(command::kCut), ControlName(command::kCopy),
                                       ControlName(command::kPaste), "-", ControlName(command::kPrint), "-",
                                       ControlName(command::kAbout), ControlName(command::kHelpContents), "-",
                                       ControlName(command::kExit)}));
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
            Click(about, button::kOk);
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
        QCOMPARE(fileDialogs.lastFilter, QStringLiteral("All supported files|*.txt;*.csv;*.mdb;*.dbf;*.xls;*.xlsx;*.ods;*.dta;*.sav;"
                                                        "*.zsav;*.por;*.sas7bdat;*.xpt|Stata, SPSS and SAS files "
                                                        "(*.dta *.sav *.zsav *.por *.sas7bdat *.xpt)|*.dta;*.sav;"
                                                        "*.zsav;*.por;*.sas7bdat;*.xpt|ANSI Text files (*.txt)|*.txt|MS Access (*.mdb)|*.mdb|"
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

    void KeysOfTheWindowCommands()
    {
        CMainFrame frame(services);
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        fileDialogs.choice.clear();
        fileDialogs.lastTitle.clear();
        QTest::keyClick(&frame, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(fileDialogs.lastTitle, QStringLiteral("Open input data file"));

        frame.NewDataWindow();
        frame.NewDataWindow();
        QTest::keyClick(frame.mdiArea()->currentSubWindow()->widget(), Qt::Key_W, Qt::ControlModifier);
        QTRY_COMPARE(frame.mdiArea()->subWindowList().size(), 1);
        QTest::keyClick(frame.mdiArea()->currentSubWindow()->widget(), Qt::Key_F4, Qt::ControlModifier);
        QTRY_VERIFY(frame.mdiArea()->subWindowList().isEmpty());

        // Window > Close All closes every child, stopping at one that refuses.
        frame.NewDataWindow();
        auto* refusing = new RefusingFrame;
        frame.AddChild(refusing);
        frame.NewDataWindow();
        QMenu* window = frame.menuBar()->actions().at(5)->menu();
        emit window->aboutToShow();
        QVERIFY(window->actions().contains(frame.command(command::kWindowCloseAll)));
        QCOMPARE(frame.command(command::kWindowCloseAll)->text(), QStringLiteral("C&lose All"));
        frame.command(command::kWindowCloseAll)->trigger();
        QCOMPARE(frame.mdiArea()->subWindowList().size(), 2);
        refusing->refuse = false;
        frame.command(command::kWindowCloseAll)->trigger();
        QVERIFY(frame.mdiArea()->subWindowList().isEmpty());
        QVERIFY(frame.isVisible());
    }

    void ChildWindowsStayInsideTheWorkArea()
    {
        CMainFrame frame(services);
        frame.resize(900, 650);
        frame.show();
        const QRect area(QPoint(0, 0), frame.mdiArea()->viewport()->size());
        QList<CEventDataFrame*> windows;
        for (int i = 0; i < 12; ++i) {
            windows << frame.NewDataWindow();
            QVERIFY(area.contains(windows.back()->geometry()));
        }
        // Each new one steps below the one before, until the area ends.
        QVERIFY(windows[1]->y() > windows[0]->y());
        QCOMPARE(windows[0]->size(), QSize(std::max(area.width() * 3 / 4, 400), std::max(area.height() * 3 / 4, 300)));

        frame.command(command::kWindowCascade)->trigger();
        for (CEventDataFrame* window : windows) {
            QVERIFY(area.contains(window->geometry()));
            QVERIFY(window->width() >= area.width() * 2 / 3 - 1);
            QVERIFY(window->height() >= area.height() * 2 / 3 - 1);
        }

        // The same rules with numbers: a cascade of 3 in 900 by 600 with steps of 20.
        QCOMPARE(CascadePlace(0, 3, QSize(900, 600), 20), QRect(0, 0, 860, 560));
        QCOMPARE(CascadePlace(2, 3, QSize(900, 600), 20), QRect(40, 40, 860, 560));
        // Twenty windows: two thirds of the area, a new run where the area ends.
        QCOMPARE(CascadePlace(0, 20, QSize(900, 600), 20).size(), QSize(600, 400));
        QCOMPARE(CascadePlace(10, 20, QSize(900, 600), 20).topLeft(), QPoint(200, 200));
        QCOMPARE(CascadePlace(11, 20, QSize(900, 600), 20).topLeft(), QPoint(0, 0));
        // A small area: the new window is cut to it, never beyond it.
        QCOMPARE(NewChildPlace(QSize(350, 250), QRect(), 20), QRect(0, 0, 350, 250));
        QCOMPARE(NewChildPlace(QSize(800, 600), QRect(0, 0, 600, 450), 20), QRect(20, 20, 600, 450));
        QCOMPARE(NewChildPlace(QSize(800, 600), QRect(190, 140, 600, 450), 20), QRect(0, 0, 600, 450));
    }

    void FirstWindowFitsTheScreenAndIsKept()
    {
        OpenUserProfile()->remove(QStringLiteral("Desktop/MainWindowGeometry"));
        // 1400 by 900 at a scale of 1.5 leaves 933 by 600 for the windows.
        const QRect scaled(0, 0, 933, 600);
        const QRect first = FirstWindowGeometry(QSize(1000, 700), scaled);
        QCOMPARE(first.size(), QSize(840, 540));
        QVERIFY(scaled.contains(first));
        QCOMPARE(FirstWindowGeometry(QSize(1000, 700), QRect(0, 0, 1920, 1080)), QRect(460, 190, 1000, 700));

        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        {
            CMainFrame frame(services);
            frame.show();
            QVERIFY(available.contains(frame.frameGeometry()));
            QVERIFY(frame.width() <= available.width() * 9 / 10);
            frame.setGeometry(QRect(available.topLeft() + QPoint(10, 20), available.size() / 2));
            frame.close();
        }
        CMainFrame again(services);
        again.show();
        QCOMPARE(again.geometry(), QRect(available.topLeft() + QPoint(10, 20), available.size() / 2));

        // A size kept from a larger screen is cut to this one.
        {
            CMainFrame large(services);
            large.show();
            large.setGeometry(QRect(available.topLeft(), available.size() * 2));
            large.close();
        }
        CMainFrame cut(services);
        cut.show();
        QTRY_VERIFY(available.contains(cut.frameGeometry()));
    }

    void LockKeysFollowTheNativeModifiers()
    {
        // Offscreen nothing tells the locks: every pane stands dimmed.
        CMainFrame frame(services);
        LockKeyIndicators* offscreen = frame.mainStatusBar()->lockKeys();
        for (auto lock : {LockKeyIndicators::kCaps, LockKeyIndicators::kNum, LockKeyIndicators::kScroll}) {
            QCOMPARE(offscreen->state(lock), LockKeyIndicators::State::kUnknown);
            QVERIFY(!offscreen->pane(lock)->isEnabled());
            QCOMPARE(offscreen->pane(lock)->toolTip(), QStringLiteral("The state of this key cannot be read here"));
        }
        QTest::keyClick(&frame, Qt::Key_A);
        QCOMPARE(offscreen->state(LockKeyIndicators::kCaps), LockKeyIndicators::State::kUnknown);

        // On X11 the key events carry the modifier state of the keyboard.
        QStatusBar bar;
        LockKeyIndicators x11(&bar, QStringLiteral("xcb"));
        QWidget target;
        const auto send = [&target](QEvent::Type type, int key, quint32 native) {
            QKeyEvent event(type, key, Qt::NoModifier, 0, 0, native);
            QApplication::sendEvent(&target, &event);
        };
        QCOMPARE(x11.pane(LockKeyIndicators::kCaps)->toolTip(), QStringLiteral("Known from the first key pressed here on"));
        send(QEvent::KeyPress, Qt::Key_A, 0x02 | 0x10);  // Lock and Mod2
        QCOMPARE(x11.state(LockKeyIndicators::kCaps), LockKeyIndicators::State::kOn);
        QCOMPARE(x11.state(LockKeyIndicators::kNum), LockKeyIndicators::State::kOn);
        QVERIFY(x11.pane(LockKeyIndicators::kCaps)->isEnabled());
        QCOMPARE(x11.pane(LockKeyIndicators::kCaps)->text(), QStringLiteral("CAP"));
        // Caps Lock pressed: the state sent is the one before, so it turns over.
        send(QEvent::KeyPress, Qt::Key_CapsLock, 0x02 | 0x10);
        QCOMPARE(x11.state(LockKeyIndicators::kCaps), LockKeyIndicators::State::kOff);
        QCOMPARE(x11.pane(LockKeyIndicators::kCaps)->text(), QString());
        send(QEvent::KeyRelease, Qt::Key_CapsLock, 0x02 | 0x10);
        QCOMPARE(x11.state(LockKeyIndicators::kCaps), LockKeyIndicators::State::kOff);
        send(QEvent::KeyPress, Qt::Key_B, 0x10);
        QCOMPARE(x11.state(LockKeyIndicators::kCaps), LockKeyIndicators::State::kOff);
        QCOMPARE(x11.state(LockKeyIndicators::kNum), LockKeyIndicators::State::kOn);
        // Scroll Lock is in no modifier state.
        QCOMPARE(x11.state(LockKeyIndicators::kScroll), LockKeyIndicators::State::kUnknown);
        QVERIFY(!x11.pane(LockKeyIndicators::kScroll)->isEnabled());
    }

    void F1ShowsTheTopicOfTheFocus()
    {
        QWidget main;
        QStringList topics;
        HelpKey key(&main, [&topics](QWidget*, const QString& topic) { topics << topic; });
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QTest::keyClick(&main, Qt::Key_F1);
        QCOMPARE(topics, QStringList({"quick_tour"}));

        // In a modal dialog the dialog's topic is shown.
        QDialog dialog(&main);
        SetHelpTopic(&dialog, QStringLiteral("import_dbfiles"));
        auto* edit = new QLineEdit(&dialog);
        ModalScript script({[&](QWidget* modal) {
            edit->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
            Expect<QDialog>(modal).reject();
        }});
        dialog.exec();
        QCOMPARE(topics, QStringList({"quick_tour", "import_dbfiles"}));
        QCOMPARE(HelpTopicOf(edit), QStringLiteral("import_dbfiles"));
        QCOMPARE(HelpTopicOf(nullptr), QStringLiteral("quick_tour"));

        CMainFrame frame(services);
        QVERIFY(frame.findChild<HelpKey*>());
    }

    void OpenDialogStartsWithTheKindChosenLastTime()
    {
        CMainFrame frame(services);
        OpenUserProfile()->remove(QStringLiteral("Desktop"));
        fileDialogs.choice = QStringLiteral("/no/such/folder/x.mdb");
        fileDialogs.filterToChoose = QStringLiteral("MS Access (*.mdb)");
        messages.shown.clear();
        frame.command(command::kOpenDataFile)->trigger();
        QCOMPARE(fileDialogs.lastChosenFilter, QString());
        QVERIFY(fileDialogs.lastFilter.startsWith(QStringLiteral("All supported files|")));
        QVERIFY(QtNameFilters(fileDialogs.lastFilter)
                    .startsWith(QStringLiteral("All supported files (*.txt *.csv *.mdb *.dbf *.xls *.xlsx *.ods *.dta *.sav *.zsav "
                                               "*.por *.sas7bdat *.xpt);;Stata, SPSS and SAS files")));

        fileDialogs.choice.clear();
        fileDialogs.filterToChoose.clear();
        frame.command(command::kOpenDataFile)->trigger();
        QCOMPARE(fileDialogs.lastChosenFilter, QStringLiteral("MS Access (*.mdb)"));
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
