#pragma once

#include <QStringList>
#include <functional>

class QAction;
class QMenu;

namespace kalderon {

// The last four files opened, newest first, kept in the user's settings
// under "Recent File List", "File1" to "File4".
QStringList RecentFiles();
void AddRecentFile(const QString& path);
void RemoveRecentFile(const QString& path);

// Lists the recent files in `menu` in front of `before` ("&1 path", ...)
// each time the menu opens; choosing one calls `open` with its path.
void ListRecentFilesIn(QMenu* menu, QAction* before, std::function<void(const QString&)> open);

}  // namespace kalderon
