#include "app/OpenFile.h"

#include <QFileInfo>

#include "app/CMainFrame.h"
#include "app/ChartWindows.h"
#include "app/OpenDataFile.h"
#include "app/RecentFileList.h"
#include "common/ui/AppServices.h"
#include "resources/Texts.h"

namespace kalderon {

void OpenFileByPath(CMainFrame& frame, const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        frame.services().messages.Show(&frame, QString::fromLatin1(text::kFileDoesNotExist).replace(QLatin1String("%s"), path));
        RemoveRecentFile(path);
        return;
    }
    const bool chart = QFileInfo(path).suffix().compare(QStringLiteral("cht"), Qt::CaseInsensitive) == 0;
    if (chart ? OpenChartFileByPath(frame, path) : OpenDataFileByPath(frame, path)) AddRecentFile(path);
}

void OpenFilesByPath(CMainFrame& frame, const QStringList& paths)
{
    for (const QString& path : paths) OpenFileByPath(frame, path);
}

}  // namespace kalderon
