#pragma once

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <map>

#include "common/ui/AppServices.h"

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace kalderon {

class CChildFrame;
class CEventDataFrame;
class MainStatusBar;

// The main window: the MDI area with the child windows, the menu of the
// active child (or the menu resource::kMainFrame when there is none), the
// toolbar and the status bar.  Closing it closes the children one by one,
// the active one first, and stops at the first that refuses.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(AppServices& services, QWidget* parent = nullptr);
    ~CMainFrame() override;

    AppServices& services() const { return services_; }
    QMdiArea* mdiArea() const { return mdiArea_; }
    QToolBar* toolBar() const { return toolBar_; }
    MainStatusBar* mainStatusBar() const { return statusBar_; }

    // The action of a command id; null when the program has no such command.
    QAction* command(int id) const;
    // The menu (resource::kMainFrame, kDataMenu, kChartMenu) the menu bar
    // shows now.
    int shownMenu() const { return shownMenu_; }

    // Shows a new child window in the MDI area and makes it active.
    CChildFrame* AddChild(CChildFrame* frame);
    CEventDataFrame* NewDataWindow();

    // Closes the children, the active one first, asking about each one with
    // unsaved content by its title (ClosingQuestions); false when one stays.
    bool CloseAllChildren();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Files dropped on the window open as the File menu would open them.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* AddCommand(int id, const QString& text, const QString& toolTip = {});
    // Keyboard keys of a command, in force whichever menu the bar shows.
    void AddKeys(int id, const QList<QKeySequence>& keys);
    // A command the active child window runs; enabled while it has it.
    QAction* AddChildCommand(int id, const QString& text, const QString& toolTip = {});
    void EnableChildCommands();
    QMenu* MakeMenu(const QString& title, const QList<int>& commands);
    void CreateCommands();
    void CreateMenus();
    void CreateToolBar();
    void ShowMenuOfCurrentChild();
    void FillWindowMenu(QMenu* menu);
    void ShowAbout();

    AppServices& services_;
    QMdiArea* mdiArea_;
    QToolBar* toolBar_ = nullptr;
    MainStatusBar* statusBar_;
    std::map<int, QAction*> commands_;
    QList<QAction*> childCommands_;
    std::map<int, QList<QMenu*>> menus_;
    int shownMenu_ = 0;
};

}  // namespace kalderon
