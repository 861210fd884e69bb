#include "common/ui/UserProfile.h"

#include <QSettings>

#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"

namespace kalderon {
namespace {

const QString kLastImportDirKey = QStringLiteral("Settings/LastImportDir");

QString LastFolderKey(FileKind kind)
{
    switch (kind) {
    case FileKind::kChart: return QStringLiteral("Settings/LastChartDir");
    case FileKind::kReport: return QStringLiteral("Settings/LastReportDir");
    case FileKind::kImage: return QStringLiteral("Settings/LastImageDir");
    case FileKind::kAnalysis: return QStringLiteral("Settings/LastAnalysisDir");
    case FileKind::kDataFile: break;
    }
    return kLastImportDirKey;
}

}  // namespace

std::unique_ptr<QSettings> OpenUserProfile()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, UiString(resource::kOrganisation),
                                       UiString(resource::kAppTitle));
}

QString LastImportDir() { return OpenUserProfile()->value(kLastImportDirKey).toString(); }

void StoreLastImportDir(const QString& filePath) { StoreLastFolder(FileKind::kDataFile, filePath); }

QString LastFolder(FileKind kind)
{
    const QString folder = OpenUserProfile()->value(LastFolderKey(kind)).toString();
    return folder.isEmpty() ? LastImportDir() : folder;
}

void StoreLastFolder(FileKind kind, const QString& filePath)
{
    OpenUserProfile()->setValue(LastFolderKey(kind), FolderOfPath(filePath));
}

QString FolderOfPath(const QString& filePath) { return filePath.left(filePath.lastIndexOf(QLatin1Char('/')) + 1); }

}  // namespace kalderon
