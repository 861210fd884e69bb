#include "app/CMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMdiArea>
#include <QMenuBar>
#include <QToolBar>

#include "app/CAboutDlg.h"
#include "app/CEventDataFrame.h"
#include "app/ChartWindows.h"
#include "app/ChildWindowPlacement.h"
#include "app/ClosingQuestions.h"
#include "app/ComputeCommands.h"
#include "app/DataWindowCommands.h"
#include "app/Icons.h"
#include "app/MainWindowGeometry.h"
#include "app/OpenAnalysis.h"
#include "app/OpenDataFile.h"
#include "app/OpenFile.h"
#include "app/RecentFileList.h"
#include "charts/qt/SettingsChartProfile.h"
#include "charts/ui/ResetChartDefaultsDialog.h"
#include "common/ui/ControlName.h"
#include "common/ui/HelpKey.h"
#include "common/ui/MainStatusBar.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"
#include "help/ui/HelpTopics.h"
#include "resources/Texts.h"
#include "results/ui/PageSetup.h"

namespace kalderon {
namespace {

constexpr int kSeparator = 0;

// The toolbar's buttons in order, 0 for a gap.  Buttons whose command the
// program does not have yet are left out.
constexpr int kToolBarLayout[] = {
    command::kOpenDataFile, command::kOpenChart, command::kSaveChart, command::kExportChart, kSeparator,
    command::kCut,          command::kCopy,      command::kPaste,     kSeparator,           command::kPrint,
    kSeparator,             command::kAbout,     command::kHelpContents, kSeparator,        command::kExit,
};

}  // namespace

CMainFrame::CMainFrame(AppServices& services, QWidget* parent)
    : QMainWindow(parent), services_(services), mdiArea_(new QMdiArea(this)), statusBar_(new MainStatusBar(this))
{
    setObjectName(ControlName(resource::kMainFrame));
    setWindowTitle(UiString(resource::kMainFrame));
    setWindowIcon(ApplicationIcon());
    // Closing the active child activates the one that was active before it.
    mdiArea_->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    setStatusBar(statusBar_);
    setDockOptions(QMainWindow::AnimatedDocks);

    CreateCommands();
    CreateMenus();
    CreateToolBar();
    ShowMenuOfCurrentChild();
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &CMainFrame::ShowMenuOfCurrentChild);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &CMainFrame::EnableChildCommands);
    EnableChildCommands();
    new DataWindowCommands(mdiArea_, statusBar_);
    new HelpKey(this, [this](QWidget* window, const QString& topic) { ShowHelpTopic(window, services_, topic); });
    PlaceMainWindow(*this);
    setAcceptDrops(true);
}

QAction* CMainFrame::AddCommand(int id, const QString& text, const QString& toolTip)
{
    auto* action = new QAction(text, this);
    action->setObjectName(ControlName(id));
    action->setData(id);
    action->setIcon(CommandIcon(id));
    action->setToolTip(toolTip.isEmpty() ? QString(text).remove(QLatin1Char('&')) : toolTip);
    commands_[id] = action;
    return action;
}

// The children are destroyed after the members: their last activations
// must not reach the menus and commands any more.
CMainFrame::~CMainFrame() { mdiArea_->disconnect(this); }

QAction* CMainFrame::AddChildCommand(int id, const QString& text, const QString& toolTip)
{
    QAction* action = commands_.count(id) ? new QAction(text, this) : AddCommand(id, text, toolTip);
    action->setObjectName(ControlName(id));
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] {
        if (auto* child = qobject_cast<CChildFrame*>(mdiArea_->currentSubWindow())) child->RunCommand(id);
    });
    childCommands_ << action;
    return action;
}

void CMainFrame::EnableChildCommands()
{
    const auto* child = qobject_cast<const CChildFrame*>(mdiArea_->currentSubWindow());
    for (QAction* action : childCommands_) {
        action->setEnabled(child && child->HandlesCommand(action->data().toInt()));
        if (action->isCheckable()) action->setChecked(child && child->CommandChecked(action->data().toInt()));
    }
}

QAction* CMainFrame::command(int id) const
{
    const auto it = commands_.find(id);
    return it == commands_.end() ? nullptr : it->second;
}

void CMainFrame::CreateCommands()
{
    // Commands without a handler stand disabled.
    AddCommand(command::kNew, QStringLiteral("&New\tCtrl+N"))->setEnabled(false);
    AddChildCommand(command::kSaveAs, QStringLiteral("&Save as ..."));
    AddCommand(command::kCut, QStringLiteral("Cu&t\tCtrl+X"), QStringLiteral("Cut"))->setEnabled(false);
    AddChildCommand(command::kCopy, QStringLiteral("&Copy\tCtrl+C"), QStringLiteral("Copy"));
    AddChildCommand(command::kSelectAll, QStringLiteral("Select &All\tCtrl+A"));
    AddChildCommand(command::kPrint, QStringLiteral("&Print ..."), QStringLiteral("Print active window"));
    AddChildCommand(command::kPrintPreview, QStringLiteral("Print pre&view"));
    AddChildCommand(command::kSaveChart, QStringLiteral("Save chart"));
    AddChildCommand(command::kExportChart, QStringLiteral("&Export chart ..."), QStringLiteral("Export chart"));
    AddChildCommand(command::kEditChartTitle, QStringLiteral("Edit chart title"));
    AddChildCommand(command::kEditTimeAxis, QStringLiteral("Edit time axis"));
    AddChildCommand(command::kEditSurvivalAxis, QStringLiteral("Edit survival axis"));
    AddChildCommand(command::kEditLegend, QStringLiteral("Edit legend options"));
    AddChildCommand(command::kFormatDataSeries, QStringLiteral("Format data series"));
    AddCommand(command::kPaste, QStringLiteral("&Paste\tCtrl+V"), QStringLiteral("Paste"))->setEnabled(false);
    for (const ComputeCommand& entry : ComputeCommands()) {
        const QStringList prompt = UiString(entry.prompt).split(QLatin1Char('\n'));
        AddChildCommand(entry.id, entry.text, prompt.value(1))->setStatusTip(prompt.value(0));
    }
    AddCommand(command::kChartMenuSmrSir, QStringLiteral("SMR/SIR ..."))->setEnabled(false);

    connect(AddCommand(command::kOpenDataFile, QStringLiteral("&Open data file ..."), QStringLiteral("Open data file")),
            &QAction::triggered, this, [this] { OpenDataFile(*this); });
    connect(AddCommand(command::kOpenChart, QStringLiteral("Open life table &chart ..."),
                       QStringLiteral("Open life table chart")),
            &QAction::triggered, this, [this] { OpenLifeTableChart(*this); });
    connect(AddCommand(command::kResetDefaults, QStringLiteral("Reset default values to original settings ...")),
            &QAction::triggered, this, [this] {
                SettingsChartProfile userDefaults;
                ResetChartDefaultsDialog(userDefaults, services_, this).exec();
            });
    connect(AddCommand(command::kPageSetup, QStringLiteral("Page set&up ...")), &QAction::triggered, this,
            [this] { ShowPageSetup(this); });
    connect(AddCommand(command::kClose, QStringLiteral("&Close")), &QAction::triggered, this, [this] {
        if (QMdiSubWindow* child = mdiArea_->currentSubWindow()) child->close();
    });
    AddKeys(command::kOpenDataFile, {QKeySequence(Qt::CTRL | Qt::Key_O)});
    AddKeys(command::kClose, {QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::CTRL | Qt::Key_F4)});
    connect(AddCommand(command::kExit, QStringLiteral("E&xit"), QStringLiteral("Exit")), &QAction::triggered, this,
            &QWidget::close);
    connect(AddCommand(command::kAbout, QStringLiteral("&About KALDERON..."), QStringLiteral("About")),
            &QAction::triggered, this, &CMainFrame::ShowAbout);
    connect(AddCommand(command::kHelpContents, QStringLiteral("&Contents"), QStringLiteral("Help contents")),
            &QAction::triggered, this, [this] { ShowHelpTopic(this, services_, QString()); });
    connect(AddCommand(command::kQuickTour, QStringLiteral("Quick Tour")), &QAction::triggered, this,
            [this] { ShowHelpTopic(this, services_, QStringLiteral("quick_tour")); });

    QAction* toolBarShown = AddCommand(command::kViewToolBar, QStringLiteral("&Toolbar"));
    toolBarShown->setCheckable(true);
    toolBarShown->setChecked(true);
    connect(toolBarShown, &QAction::toggled, this, [this](bool on) { toolBar_->setVisible(on); });
    QAction* statusBarShown = AddCommand(command::kViewStatusBar, QStringLiteral("&Status Bar"));
    statusBarShown->setCheckable(true);
    statusBarShown->setChecked(true);
    connect(statusBarShown, &QAction::toggled, statusBar_, &QWidget::setVisible);
    QAction* allColumns = AddChildCommand(command::kViewAllColumns, QString::fromUtf8(text::kAllColumnsCommand));
    allColumns->setStatusTip(QString::fromUtf8(text::kAllColumnsPrompt));
    allColumns->setCheckable(true);
    AddChildCommand(command::kSelectCases, QString::fromUtf8(text::kSelectCasesCommand));
    AddChildCommand(command::kAllCases, QString::fromUtf8(text::kAllCasesCommand));
    AddChildCommand(command::kGroupCases, QString::fromUtf8(text::kGroupCasesCommand));
    AddChildCommand(command::kCopyCommandLine, QString::fromUtf8(text::kCopyCommandLineCommand));
    AddChildCommand(command::kSaveAnalysis, QString::fromUtf8(text::kSaveAnalysisCommand));
    connect(AddCommand(command::kOpenAnalysis, QString::fromUtf8(text::kOpenAnalysisCommand)), &QAction::triggered,
            this, [this] { OpenAnalysisFile(*this); });

    connect(AddCommand(command::kWindowCascade, QStringLiteral("&Cascade")), &QAction::triggered, this,
            [this] { CascadeChildren(mdiArea_); });
    connect(AddCommand(command::kWindowTile, QStringLiteral("&Tile")), &QAction::triggered, mdiArea_,
            &QMdiArea::tileSubWindows);
    connect(AddCommand(command::kWindowCloseAll, QStringLiteral("C&lose All")), &QAction::triggered, this,
            &CMainFrame::CloseAllChildren);
}

void CMainFrame::AddKeys(int id, const QList<QKeySequence>& keys)
{
    command(id)->setShortcuts(keys);
    addAction(command(id));  // the keys work whichever menu shows
}

QMenu* CMainFrame::MakeMenu(const QString& title, const QList<int>& commands)
{
    auto* menu = new QMenu(title, this);
    for (int id : commands) {
        if (id == kSeparator)
            menu->addSeparator();
        else
            menu->addAction(command(id));
    }
    return menu;
}

void CMainFrame::CreateMenus()
{
    QMenu* view = MakeMenu(QStringLiteral("&View"), {command::kViewToolBar, command::kViewStatusBar});
    QMenu* help = MakeMenu(QStringLiteral("&Help"),
                           {command::kHelpContents, command::kQuickTour, kSeparator, command::kAbout});
    menus_[resource::kMainFrame] = {
        MakeMenu(QStringLiteral("&File"),
                 {command::kNew, command::kOpenDataFile, command::kOpenChart, command::kOpenAnalysis,
                  command::kResetDefaults, kSeparator, command::kExit}),
        view, help};

    QMenu* window = MakeMenu(QStringLiteral("&Window"),
                             {command::kWindowCascade, command::kWindowTile, command::kWindowCloseAll});
    connect(window, &QMenu::aboutToShow, this, [this, window] { FillWindowMenu(window); });
    menus_[resource::kDataMenu] = {
        MakeMenu(QStringLiteral("&File"), {command::kNew, command::kOpenDataFile, command::kOpenChart, command::kOpenAnalysis,
                                           command::kResetDefaults, command::kClose, command::kSaveAs, command::kSaveAnalysis,
                                           kSeparator, command::kPageSetup, command::kPrintPreview, command::kPrint, kSeparator,
                                           command::kExit}),
        MakeMenu(QStringLiteral("&Edit"), {command::kCut, command::kCopy, command::kPaste, kSeparator,
                                           command::kSelectAll, kSeparator, command::kCopyCommandLine}),
        MakeMenu(QStringLiteral("&View"),
                 {command::kViewToolBar, command::kViewStatusBar, kSeparator, command::kViewAllColumns}),
        MakeMenu(QStringLiteral("&Data"), {command::kSelectCases, command::kAllCases, kSeparator, command::kGroupCases}),
        MakeMenu(QStringLiteral("&Compute"), ComputeMenuIds(command::kComputeSmrSir)), window, help};

    QMenu* chartFile = MakeMenu(QStringLiteral("&File"), {command::kNew, command::kOpenDataFile, command::kOpenChart,
                                                          command::kOpenAnalysis, command::kResetDefaults, command::kClose, command::kSaveChart});
    chartFile->addAction(AddChildCommand(command::kSaveAs, QStringLiteral("Save chart as ...")));
    chartFile->addAction(command(command::kExportChart));
    chartFile->addSeparator();
    chartFile->addAction(command(command::kPageSetup));
    chartFile->addAction(command(command::kPrintPreview));
    chartFile->addAction(command(command::kPrint));
    chartFile->addSeparator();
    chartFile->addAction(command(command::kExit));
    menus_[resource::kChartMenu] = {
        chartFile, MakeMenu(QStringLiteral("&Edit"), {command::kCut, command::kCopy, command::kPaste}), view,
        MakeMenu(QStringLiteral("Chart &options"),
                 {command::kEditChartTitle, command::kEditTimeAxis, command::kEditSurvivalAxis, command::kEditLegend,
                  command::kFormatDataSeries}),
        MakeMenu(QStringLiteral("&Compute"), ComputeMenuIds(command::kChartMenuSmrSir)), window, help};
    const auto openRecent = [this](const QString& path) { OpenFileByPath(*this, path); };
    for (auto& [id, menus] : menus_) ListRecentFilesIn(menus.front(), command(command::kExit), openRecent);
}

void CMainFrame::CreateToolBar()
{
    toolBar_ = new QToolBar(QStringLiteral("Toolbar"), this);
    toolBar_->setObjectName(ControlName(resource::kMainFrame) + QStringLiteral("toolbar"));
    toolBar_->setIconSize(QSize(16, 15));
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    bool gapPending = false;
    for (int id : kToolBarLayout) {
        if (id == kSeparator) {
            gapPending = !toolBar_->actions().isEmpty();
            continue;
        }
        QAction* action = command(id);
        if (!action) continue;
        if (gapPending) toolBar_->addSeparator();
        gapPending = false;
        toolBar_->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
    connect(toolBar_, &QToolBar::visibilityChanged, command(command::kViewToolBar), &QAction::setChecked);
}

void CMainFrame::ShowMenuOfCurrentChild()
{
    const auto* child = qobject_cast<const CChildFrame*>(mdiArea_->currentSubWindow());
    const int menuId = child ? child->menuId() : resource::kMainFrame;
    if (menuId == shownMenu_) return;
    shownMenu_ = menuId;
    menuBar()->clear();
    for (QMenu* menu : menus_[menuId]) menuBar()->addMenu(menu);
}

void CMainFrame::FillWindowMenu(QMenu* menu)
{
    menu->clear();
    menu->addAction(command(command::kWindowCascade));
    menu->addAction(command(command::kWindowTile));
    menu->addAction(command(command::kWindowCloseAll));
    const QList<QMdiSubWindow*> children = mdiArea_->subWindowList();
    if (!children.isEmpty()) menu->addSeparator();
    for (qsizetype i = 0; i < children.size(); ++i) {
        QMdiSubWindow* child = children[i];
        QAction* entry = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(child->windowTitle()));
        entry->setCheckable(true);
        entry->setChecked(child == mdiArea_->currentSubWindow());
        connect(entry, &QAction::triggered, this, [this, child] { mdiArea_->setActiveSubWindow(child); });
    }
}

CChildFrame* CMainFrame::AddChild(CChildFrame* frame)
{
    QMdiSubWindow* active = mdiArea_->currentSubWindow();
    mdiArea_->addSubWindow(frame);
    connect(frame, &CChildFrame::CommandsChanged, this, &CMainFrame::EnableChildCommands);
    PlaceNewChild(mdiArea_, frame, active);
    LeaveCloseKeysToTheFrame(frame);
    frame->show();
    mdiArea_->setActiveSubWindow(frame);
    ShowMenuOfCurrentChild();
    return frame;
}

CEventDataFrame* CMainFrame::NewDataWindow()
{
    auto* frame = new CEventDataFrame();
    AddChild(frame);
    return frame;
}

bool CMainFrame::CloseAllChildren()
{
    ClosingQuestions questions(services_.messages, this);
    for (;;) {
        const QList<QMdiSubWindow*> children = mdiArea_->subWindowList(QMdiArea::ActivationHistoryOrder);
        if (children.isEmpty()) break;
        QMdiSubWindow* child = mdiArea_->currentSubWindow() ? mdiArea_->currentSubWindow() : children.back();
        if (!questions.Close(child)) return false;
        delete child;
    }
    ShowMenuOfCurrentChild();
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (CloseAllChildren()) {
        StoreMainWindowGeometry(*this);
        event->accept();
    } else
        event->ignore();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    event->acceptProposedAction();
    // The import dialogs are modal: they run after the drop has ended.
    QMetaObject::invokeMethod(this, [this, paths] { OpenFilesByPath(*this, paths); }, Qt::QueuedConnection);
}

void CMainFrame::ShowAbout()
{
    CAboutDlg about(services_.paths, this);
    about.exec();
}

}  // namespace kalderon
