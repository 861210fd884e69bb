#include "app/OpenDataFile.h"

#include <QFileInfo>

#include "app/CEventDataFrame.h"
#include "app/CMainFrame.h"
#include "app/DisplayText.h"
#include "app/MainStatusBar.h"
#include "app/UserProfile.h"
#include "app/WaitCursor.h"
#include "import/ui/CEventDataView.h"
#include "import/DatabaseImport.h"
#include "import/ui/CTextImportSheet.h"
#include "import/ui/ImportDatabaseFile.h"

namespace kalderon {
namespace {

constexpr int kFileFilter = 200;
constexpr int kDialogTitle = 210;

}  // namespace

void OpenDataFile(CMainFrame& frame)
{
    AppServices& services = frame.services();
    const QString path =
        services.fileDialogs.OpenFileName(&frame, UiString(kDialogTitle), LastImportDir(), UiString(kFileFilter));
    if (path.isEmpty()) return;
    StoreLastImportDir(path);
    const std::string file = PathBytes(path);
    if (const int message = DbaseFileNameMessage(file)) {
        services.messages.Show(&frame, UiString(message));
        return;
    }
    if (IsDatabaseFile(file))
        ImportDatabaseFile(frame, path);
    else
        ImportTextFile(frame, path);
}

void ImportTextFile(CMainFrame& frame, const QString& path)
{
    CTextImportSheet sheet(path, frame.services().messages, &frame);
    if (sheet.exec() != QDialog::Accepted) return;

    CEventDataFrame* window = frame.NewDataWindow();
    MainStatusBar* status = frame.mainStatusBar();
    std::string error;
    bool read;
    {
        WaitCursor wait;
        status->BeginProgress(QStringLiteral("Reading %1 ...").arg(QFileInfo(path).fileName()));
        read = window->view()->ReadTextFile(PathBytes(path), sheet.settings(), error,
                                            [status](size_t done, size_t total) {
                                                status->SetProgress(total ? static_cast<int>(100 * done / total) : 0);
                                            });
        status->EndProgress();
    }
    if (!read) {
        window->close();
        frame.services().messages.Show(&frame, DisplayText(error));
        return;
    }
    window->SetSource(PathBytes(path));
}

}  // namespace kalderon
