#include "common/ui/UserProfile.h"

#include <QSettings>

#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"

namespace kalderon {
namespace {
const QString kLastImportDirKey = QStringLiteral("Settings/LastImportDir");
}

std::unique_ptr<QSettings> OpenUserProfile()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, UiString(resource::kOrganisation),
                                       UiString(resource::kAppTitle));
}

QString LastImportDir() { return OpenUserProfile()->value(kLastImportDirKey).toString(); }

void StoreLastImportDir(const QString& filePath)
{
    OpenUserProfile()->setValue(kLastImportDirKey, FolderOfPath(filePath));
}

QString FolderOfPath(const QString& filePath) { return filePath.left(filePath.lastIndexOf(QLatin1Char('/')) + 1); }

}  // namespace kalderon
