#include "app/RecentFileList.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include "common/ui/UserProfile.h"

namespace kalderon {
namespace {

constexpr int kRecentFileCount = 4;
const QString kSection = QStringLiteral("Recent File List");
const char* const kEntriesProperty = "recentFileEntries";

void StoreRecentFiles(const QStringList& files)
{
    const auto settings = OpenUserProfile();
    settings->beginGroup(kSection);
    for (int i = 0; i < kRecentFileCount; ++i) {
        const QString key = QStringLiteral("File%1").arg(i + 1);
        if (i < files.size())
            settings->setValue(key, files[i]);
        else
            settings->remove(key);
    }
}

}  // namespace

QStringList RecentFiles()
{
    const auto settings = OpenUserProfile();
    settings->beginGroup(kSection);
    QStringList files;
    for (int i = 0; i < kRecentFileCount; ++i) {
        const QString path = settings->value(QStringLiteral("File%1").arg(i + 1)).toString();
        if (!path.isEmpty()) files << path;
    }
    return files;
}

void AddRecentFile(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = RecentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    StoreRecentFiles(files.mid(0, kRecentFileCount));
}

void RemoveRecentFile(const QString& path)
{
    QStringList files = RecentFiles();
    files.removeAll(QFileInfo(path).absoluteFilePath());
    StoreRecentFiles(files);
}

void ListRecentFilesIn(QMenu* menu, QAction* before, std::function<void(const QString&)> open)
{
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, before, open] {
        for (QAction* old : menu->property(kEntriesProperty).value<QList<QAction*>>()) delete old;
        QList<QAction*> entries;
        const QStringList files = RecentFiles();
        for (qsizetype i = 0; i < files.size(); ++i) {
            auto* entry = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files[i])), menu);
            entry->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
            const QString path = files[i];
            QObject::connect(entry, &QAction::triggered, menu, [open, path] { open(path); });
            menu->insertAction(before, entry);
            entries << entry;
        }
        if (!entries.isEmpty()) entries << menu->insertSeparator(before);
        menu->setProperty(kEntriesProperty, QVariant::fromValue(entries));
    });
}

}  // namespace kalderon
