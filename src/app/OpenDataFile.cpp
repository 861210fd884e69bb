#include "app/OpenDataFile.h"

#include <QFileInfo>

#include "app/CEventDataFrame.h"
#include "app/CMainFrame.h"
#include "app/ImportDatabaseFile.h"
#include "app/RecentFileList.h"
#include "common/TextFormat.h"
#include "common/qt/DisplayText.h"
#include "common/ui/MainStatusBar.h"
#include "common/ui/UiText.h"
#include "common/ui/UserProfile.h"
#include "import/DatabaseImport.h"
#include "import/NoValidCaseReason.h"
#include "import/ui/CEventDataView.h"
#include "import/ui/CTextImportSheet.h"
#include "import/ui/DataFileChoice.h"
#include "import/ui/TextFileGate.h"
#include "import/ui/TextImportMemory.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

// The text import wizard for the file and, on Finish, a data window with its
// cases.
bool ImportTextFile(CMainFrame& frame, const QString& path)
{
    if (!AcceptTextFile(&frame, frame.services().messages, path)) return false;
    CTextImportSheet sheet(path, frame.services().messages, &frame);
    if (const std::optional<TextImportSettings> remembered = RememberedTextImport(path))
        sheet.ApplySettings(*remembered);
    if (sheet.exec() != QDialog::Accepted) return false;
    RememberTextImport(path, sheet.settings());

    CEventDataFrame* window = frame.NewDataWindow();
    const ReadResult<void> read = [&] {
        StatusBarReading reading(frame.mainStatusBar(), QFileInfo(path).fileName());
        return window->view()->ReadTextFile(PathBytes(path), sheet.settings(), reading.progress());
    }();
    if (!read) {
        window->close();
        frame.services().messages.Show(&frame, DisplayText(ReaderFaultMessage(read.fault())));
        return false;
    }
    window->SetSource(PathBytes(path));
    const std::vector<std::string>& notes = window->view()->data().notes;
    if (!notes.empty()) {
        std::string said;
        for (const std::string& note : notes) said += (said.empty() ? "" : "\n") + note;
        frame.services().messages.Show(&frame, DisplayText(FormatText(text::kFaultInFile, PathBytes(path), said)));
    }
    const TextImportSettings settings = sheet.settings();
    if (const std::optional<std::string> reason = NoValidCaseReason(window->view()->data(), &settings))
        frame.services().messages.Show(&frame, DisplayText(*reason));
    return true;
}

}  // namespace

void OpenDataFile(CMainFrame& frame)
{
    AppServices& services = frame.services();
    const QString path = ChooseDataFile(&frame, services);
    if (!path.isEmpty() && OpenDataFileByPath(frame, path)) AddRecentFile(path);
}

bool OpenDataFileByPath(CMainFrame& frame, const QString& path)
{
    StoreLastImportDir(path);
    const std::string file = PathBytes(path);
    if (const std::optional<int> message = DbaseFileNameMessage(file)) {
        frame.services().messages.Show(&frame, UiString(*message));
        return false;
    }
    return IsDatabaseFile(file) ? ImportDatabaseFile(frame, path) : ImportTextFile(frame, path);
}

}  // namespace kalderon
