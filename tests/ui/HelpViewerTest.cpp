#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextBlock>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

#include "app/CMainFrame.h"
#include "common/ui/ResourceIds.h"
#include "help/ui/CHelpViewer.h"
#include "help/ui/HelpBrowser.h"
#include "help/ui/HelpTopics.h"
#include "import/ui/CColumnSelectionDlg.h"
#include "support/GuiTestSupport.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessages.h"

namespace kalderon::testing {

// The help viewer: topics by name, links, back and forward, contents and
// search, the help commands and Help buttons, and a help file that is
// missing or is none.
class HelpViewerTest : public QObject {
    Q_OBJECT

    ScriptedMessages messages;
    ScriptedFileDialogs fileDialogs;
    AppServices services{messages, fileDialogs, ApplicationPaths::Locate()};

    static CHelpViewer* Viewer()
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* viewer = qobject_cast<CHelpViewer*>(window); viewer && viewer->isVisible()) return viewer;
        return nullptr;
    }

    // Clicks the first link to `target` on the page shown.
    static void ClickLink(HelpBrowser* browser, const QString& target)
    {
        for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                if (it.fragment().charFormat().anchorHref() != target) continue;
                QTextCursor inside(browser->document());
                inside.setPosition(it.fragment().position() + 1);
                browser->setTextCursor(inside);
                browser->ensureCursorVisible();
                const QPoint at = browser->cursorRect(inside).center();
                QCOMPARE(browser->anchorAt(at), target);
                QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
                return;
            }
        }
        QFAIL(qPrintable(target));
    }

private slots:
    void initTestCase()
    {
        UseTemporarySettings();
        QVERIFY2(QFileInfo(services.paths.helpFile).isFile(), qPrintable(services.paths.helpFile));
    }

    void init() { messages.shown.clear(); }

    void OpensEveryTopicByName()
    {
        QWidget owner;
        const QStringList topics = {
            "quick_tour", "import_dbfiles", "compute_Cutler-Ederer", "compute_Kaplan-Meier", "compute_period_analysis",
            "compute_trend_nyear_survival", "compute_SMR", "chart_title_format", "chart_axis_format",
            "chart_legend_format", "chart_data_series_format", "chart_line_styles_format",
            "chart_marker_styles_format", "chart_group_labels", "resetting_default_options"};
        for (const QString& topic : topics) {
            ShowHelpTopic(&owner, services, topic);
            CHelpViewer* viewer = Viewer();
            QVERIFY(viewer);
            QCOMPARE(viewer->currentPage(), QStringLiteral("/html/%1.htm").arg(topic));
            QVERIFY(viewer->browser()->document()->toPlainText().size() > 200);
            // The contents tree marks the page shown.
            QCOMPARE(viewer->findChild<QTreeWidget*>("helpContents")->currentItem()->data(0, Qt::UserRole).toString(),
                     viewer->currentPage());
        }
        QVERIFY(messages.shown.isEmpty());
        // One viewer serves every topic.
        QCOMPARE(owner.findChildren<CHelpViewer*>().size(), 1);
    }

    void FollowsLinksBackAndForwardWithPictures()
    {
        QWidget owner;
        ShowHelpTopic(&owner, services, QStringLiteral("compute_Cutler-Ederer"));
        CHelpViewer* viewer = Viewer();
        QVERIFY(viewer);
        HelpBrowser* browser = viewer->browser();
        // The chart picture comes out of the help file.
        const QVariant picture = browser->document()->resource(QTextDocument::ImageResource,
                                                               QUrl(QStringLiteral("chm:/html/images/life-table.png")));
        QVERIFY(picture.isValid());

        ClickLink(browser, QStringLiteral("relative_survival.htm"));
        QCOMPARE(viewer->currentPage(), QStringLiteral("/html/relative_survival.htm"));
        QVERIFY(browser->document()->toPlainText().contains(QStringLiteral("Hakulinen")));
        viewer->findChild<QAction*>("helpBack")->trigger();
        QCOMPARE(viewer->currentPage(), QStringLiteral("/html/compute_Cutler-Ederer.htm"));
        QVERIFY(viewer->findChild<QAction*>("helpForward")->isEnabled());
        viewer->findChild<QAction*>("helpForward")->trigger();
        QCOMPARE(viewer->currentPage(), QStringLiteral("/html/relative_survival.htm"));
        viewer->findChild<QAction*>("helpHome")->trigger();
        QCOMPARE(viewer->currentPage(), QStringLiteral("/html/quick_tour.htm"));

        // A contents entry and a search hit open their pages.
        auto* contents = viewer->findChild<QTreeWidget*>("helpContents");
        const QList<QTreeWidgetItem*> smr = contents->findItems(QStringLiteral("SMR/SIR"), Qt::MatchRecursive);
        QCOMPARE(smr.size(), 1);
        emit contents->itemClicked(smr.front(), 0);
        QCOMPARE(viewer->currentPage(), QStringLiteral("/html/compute_SMR.htm"));
        viewer->findChild<QLineEdit*>("helpSearchText")->setText(QStringLiteral("dash-dot-dot"));
        viewer->findChild<QPushButton*>("helpListTopics")->click();
        auto* hits = viewer->findChild<QListWidget*>("helpSearchResults");
        QCOMPARE(hits->count(), 1);
        QCOMPARE(hits->item(0)->text(), QStringLiteral("Line style"));
        emit hits->itemClicked(hits->item(0));
        QCOMPARE(viewer->currentPage(), QStringLiteral("/html/chart_line_styles_format.htm"));
    }

    void MissingUnreadableFileOrTopicIsReported()
    {
        QTemporaryDir folder;
        const QString missing = folder.filePath(QStringLiteral("KALDERON.chm"));
        QFile notHelp(folder.filePath(QStringLiteral("text.chm")));
        QVERIFY(notHelp.open(QIODevice::WriteOnly));
        notHelp.write("no help file");
        notHelp.close();
        QWidget owner;
        for (const QString& file : {missing, notHelp.fileName()}) {
            AppServices other{messages, fileDialogs, {{}, {}, file}};
            messages.shown.clear();
            ShowHelpTopic(&owner, other, QStringLiteral("quick_tour"));
            QCOMPARE(messages.shown,
                     QStringList(QStringLiteral("File %1 (compiled HTML Help file) not found.").arg(file)));
        }
        messages.shown.clear();
        ShowHelpTopic(&owner, services, QStringLiteral("no_such_topic"));
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY(owner.findChildren<CHelpViewer*>().isEmpty());
    }

    void HelpCommandsAndHelpButtons()
    {
        CMainFrame frame(services);
        frame.show();
        QVERIFY(frame.toolBar()->actions().contains(frame.command(command::kHelpContents)));
        frame.command(command::kHelpContents)->trigger();
        QVERIFY(Viewer());
        QCOMPARE(Viewer()->currentPage(), QStringLiteral("/html/quick_tour.htm"));
        ShowHelpTopic(&frame, services, QStringLiteral("compute_SMR"));
        frame.command(command::kQuickTour)->trigger();
        QCOMPARE(Viewer()->currentPage(), QStringLiteral("/html/quick_tour.htm"));

        // The column selection's Help, while the dialog is modal: the
        // viewer opens in front of the dialog, on the dialog's topic.
        fileDialogs.choice = SourcePath(QStringLiteral("tests/data/access/cases.mdb"));
        QString shown;
        bool ownedByDialog = false;
        ModalScript script({[&](QWidget* modal) {
            auto& dialog = Expect<CColumnSelectionDlg>(modal);
            Click(&dialog, button::kHelp);
            shown = Viewer() ? Viewer()->currentPage() : QString();
            ownedByDialog = Viewer() && Viewer()->parentWidget() == &dialog;
            dialog.reject();
        }});
        frame.command(command::kOpenDataFile)->trigger();
        QVERIFY(script.finished());
        QCOMPARE(shown, QStringLiteral("/html/import_dbfiles.htm"));
        QVERIFY(ownedByDialog);
        QCOMPARE(messages.shown, QStringList());
    }
};

}  // namespace kalderon::testing

QTEST_MAIN(kalderon::testing::HelpViewerTest)
#include "HelpViewerTest.moc"
