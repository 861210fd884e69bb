#pragma once

#include <QString>
#include <QStringList>

namespace kalderon {

class CMainFrame;

// Opens a file as the File menu would: a chart file (.cht) as a chart
// window, a database (.mdb, .dbf, .xls; IsDatabaseFile) through the column selection, any
// other file through the text import wizard.  A file that does not exist is
// reported and taken off the recent-files list; one that opens a window is
// put at its top.
void OpenFileByPath(CMainFrame& frame, const QString& path);
void OpenFilesByPath(CMainFrame& frame, const QStringList& paths);

}  // namespace kalderon
