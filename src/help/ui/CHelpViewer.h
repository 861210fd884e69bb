#pragma once

#include <QMainWindow>
#include <memory>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTreeWidget;

namespace kalderon {

class ChmArchive;
class HelpBrowser;

// The help window: the contents, index and search of the help file on the
// left, the page with its pictures and links on the right, back and forward
// on the toolbar.
class CHelpViewer : public QMainWindow {
    Q_OBJECT
public:
    CHelpViewer(std::unique_ptr<ChmArchive> archive, const QString& helpFile, QWidget* parent = nullptr);
    ~CHelpViewer() override;

    // The help viewer showing `topic` ("quick_tour"; empty for the first
    // page of the contents) of the help file, in front of the window of
    // `owner`; made the first time, or anew for another help file.  Null,
    // with nothing shown, when the file cannot be read or lacks the topic.
    static CHelpViewer* Show(QWidget* owner, const QString& helpFile, const QString& topic);

    // Shows a stored page ("/html/quick_tour.htm"); false when it is not stored.
    bool ShowPage(const QString& storedName);
    // The stored page shown ("/html/quick_tour.htm").
    QString currentPage() const;
    const QString& helpFile() const { return helpFile_; }
    // The page the contents start with.
    QString firstPage() const;

    HelpBrowser* browser() const { return browser_; }

private:
    void FillContents();
    void FillIndex();
    void Search();
    void SelectInContents(const QUrl& shown);

    std::unique_ptr<ChmArchive> archive_;
    QString helpFile_;
    HelpBrowser* browser_;
    QTabWidget* tabs_;
    QTreeWidget* contents_;
    QListWidget* index_;
    QLineEdit* searchText_;
    QListWidget* searchResults_;
};

}  // namespace kalderon
