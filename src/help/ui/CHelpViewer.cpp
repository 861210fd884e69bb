#include "help/ui/CHelpViewer.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <vector>

#include "common/ui/UiText.h"
#include "help/ChmArchive.h"
#include "help/HelpSearch.h"
#include "help/SiteMap.h"
#include "help/ui/HelpBrowser.h"

namespace kalderon {
namespace {

constexpr int kPageRole = Qt::UserRole;

QPointer<CHelpViewer> theViewer;

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The stored name of a sitemap's page reference ("html/x.htm" -> "/html/x.htm").
QString StoredName(const std::string& local)
{
    const QString page = Utf8(local).section(QLatin1Char('#'), 0, 0);
    return page.startsWith(QLatin1Char('/')) ? page : QLatin1Char('/') + page;
}

std::vector<SiteMapEntry> SiteMapOf(const ChmArchive& archive, const std::string& extension)
{
    const std::string file = archive.FirstFileEndingIn(extension);
    if (file.empty()) return {};
    const std::optional<std::string> html = archive.Read(file);
    return html ? ParseSiteMap(*html) : std::vector<SiteMapEntry>{};
}

}  // namespace

CHelpViewer::CHelpViewer(std::unique_ptr<ChmArchive> archive, const QString& helpFile, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      archive_(std::move(archive)),
      helpFile_(helpFile),
      browser_(new HelpBrowser(*archive_, this)),
      tabs_(new QTabWidget(this)),
      contents_(new QTreeWidget(this)),
      index_(new QListWidget(this)),
      searchText_(new QLineEdit(this)),
      searchResults_(new QListWidget(this))
{
    setObjectName(QStringLiteral("helpViewer"));
    setWindowTitle(QStringLiteral("KALDERON Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    browser_->setObjectName(QStringLiteral("helpPage"));
    contents_->setObjectName(QStringLiteral("helpContents"));
    index_->setObjectName(QStringLiteral("helpIndex"));
    searchText_->setObjectName(QStringLiteral("helpSearchText"));
    searchResults_->setObjectName(QStringLiteral("helpSearchResults"));

    auto* toolBar = addToolBar(QStringLiteral("Navigation"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* back = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Back"));
    back->setObjectName(QStringLiteral("helpBack"));
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    QAction* forward = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("&Forward"));
    forward->setObjectName(QStringLiteral("helpForward"));
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    QAction* home = toolBar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("&Home"));
    home->setObjectName(QStringLiteral("helpHome"));
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(home, &QAction::triggered, this, [this] { ShowPage(firstPage()); });
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &CHelpViewer::SelectInContents);

    contents_->setHeaderHidden(true);
    tabs_->addTab(contents_, QStringLiteral("&Contents"));
    tabs_->addTab(index_, QStringLiteral("&Index"));
    auto* searchPage = new QWidget(this);
    auto* searchLayout = new QVBoxLayout(searchPage);
    auto* searchLabel = new QLabel(QStringLiteral("Type in the &word(s) to search for:"), searchPage);
    searchLabel->setBuddy(searchText_);
    auto* listTopics = new QPushButton(QStringLiteral("&List Topics"), searchPage);
    listTopics->setObjectName(QStringLiteral("helpListTopics"));
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchText_);
    searchRow->addWidget(listTopics);
    searchLayout->addWidget(searchLabel);
    searchLayout->addLayout(searchRow);
    searchLayout->addWidget(searchResults_);
    tabs_->addTab(searchPage, QStringLiteral("&Search"));
    connect(listTopics, &QPushButton::clicked, this, &CHelpViewer::Search);
    connect(searchText_, &QLineEdit::returnPressed, this, &CHelpViewer::Search);

    const auto openItem = [this](const QVariant& page) {
        if (!page.toString().isEmpty()) ShowPage(page.toString());
    };
    connect(contents_, &QTreeWidget::itemActivated, this,
            [openItem](QTreeWidgetItem* item) { openItem(item->data(0, kPageRole)); });
    connect(contents_, &QTreeWidget::itemClicked, this,
            [openItem](QTreeWidgetItem* item) { openItem(item->data(0, kPageRole)); });
    for (QListWidget* list : {index_, searchResults_}) {
        connect(list, &QListWidget::itemActivated, this,
                [openItem](QListWidgetItem* item) { openItem(item->data(kPageRole)); });
        connect(list, &QListWidget::itemClicked, this,
                [openItem](QListWidgetItem* item) { openItem(item->data(kPageRole)); });
    }

    auto* splitter = new QSplitter(this);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 660});
    setCentralWidget(splitter);
    FillContents();
    FillIndex();
    resize(920, 680);
}

CHelpViewer::~CHelpViewer() = default;

void CHelpViewer::FillContents()
{
    std::vector<QTreeWidgetItem*> parents;
    for (const SiteMapEntry& entry : SiteMapOf(*archive_, ".hhc")) {
        const size_t depth = std::min(static_cast<size_t>(entry.depth), parents.size());
        parents.resize(depth);
        auto* item = depth == 0 ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(parents.back());
        item->setText(0, Utf8(entry.name));
        if (!entry.local.empty()) item->setData(0, kPageRole, StoredName(entry.local));
        parents.push_back(item);
    }
    contents_->expandAll();
}

void CHelpViewer::FillIndex()
{
    for (const SiteMapEntry& entry : SiteMapOf(*archive_, ".hhk")) {
        auto* item = new QListWidgetItem(QString(entry.depth * 4, QLatin1Char(' ')) + Utf8(entry.name), index_);
        if (!entry.local.empty()) item->setData(kPageRole, StoredName(entry.local));
    }
}

QString CHelpViewer::firstPage() const
{
    for (QTreeWidgetItemIterator it(contents_); *it; ++it)
        if (!(*it)->data(0, kPageRole).toString().isEmpty()) return (*it)->data(0, kPageRole).toString();
    return {};
}

bool CHelpViewer::ShowPage(const QString& storedName)
{
    const QString page = storedName.section(QLatin1Char('#'), 0, 0);
    if (page.isEmpty() || !archive_->Contains(PathBytes(page))) return false;
    QUrl url = HelpBrowser::PageUrl(page);
    if (storedName.contains(QLatin1Char('#'))) url.setFragment(storedName.section(QLatin1Char('#'), 1));
    browser_->setSource(url, QTextDocument::HtmlResource);
    return true;
}

QString CHelpViewer::currentPage() const { return browser_->source().path(); }

void CHelpViewer::Search()
{
    searchResults_->clear();
    for (const HelpSearchHit& hit : SearchHelpPages(*archive_, searchText_->text().toStdString())) {
        auto* item = new QListWidgetItem(hit.title.empty() ? Utf8(hit.page) : Utf8(hit.title), searchResults_);
        item->setData(kPageRole, Utf8(hit.page));
    }
    if (searchResults_->count() == 0) new QListWidgetItem(QStringLiteral("No topics found."), searchResults_);
}

void CHelpViewer::SelectInContents(const QUrl& shown)
{
    // The browser tells the new address before source() returns it.
    const QString page = shown.path();
    if (page.isEmpty()) return;
    for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
        if ((*it)->data(0, kPageRole).toString() == page) {
            contents_->setCurrentItem(*it);
            return;
        }
    }
}

CHelpViewer* CHelpViewer::Show(QWidget* owner, const QString& helpFile, const QString& topic)
{
    QWidget* window = owner ? owner->window() : nullptr;
    if (!theViewer || theViewer->helpFile() != helpFile) {
        std::unique_ptr<ChmArchive> archive = ChmArchive::Open(PathBytes(helpFile));
        if (!archive) return nullptr;
        auto viewer = std::make_unique<CHelpViewer>(std::move(archive), helpFile, window);
        const QString page = topic.isEmpty() ? viewer->firstPage() : QStringLiteral("/html/%1.htm").arg(topic);
        if (!viewer->ShowPage(page)) return nullptr;
        delete theViewer;
        theViewer = viewer.release();
    } else {
        const QString page = topic.isEmpty() ? theViewer->firstPage() : QStringLiteral("/html/%1.htm").arg(topic);
        if (!theViewer->archive_->Contains(PathBytes(page))) return nullptr;
        // A modal dialog lets only its own windows take input: the viewer
        // follows the window it was asked from.
        if (theViewer->parentWidget() != window) {
            const QRect geometry = theViewer->geometry();
            theViewer->setParent(window, Qt::Window);
            theViewer->setGeometry(geometry);
        }
        theViewer->ShowPage(page);
    }
    theViewer->show();
    theViewer->raise();
    theViewer->activateWindow();
    return theViewer;
}

}  // namespace kalderon
