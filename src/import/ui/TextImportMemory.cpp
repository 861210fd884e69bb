#include "import/ui/TextImportMemory.h"

#include <QFileInfo>
#include <QSettings>

#include "common/ui/UserProfile.h"
#include "import/TextImportSettingsFields.h"

namespace kalderon {
namespace {

// "TextImport/txt", "TextImport/csv", ...; files without one share a group.
QString GroupOf(const QString& path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    return QStringLiteral("TextImport/") + (extension.isEmpty() ? QStringLiteral("noExtension") : extension);
}

}  // namespace

std::optional<TextImportSettings> RememberedTextImport(const QString& path)
{
    const auto profile = OpenUserProfile();
    profile->beginGroup(GroupOf(path));
    if (profile->childKeys().isEmpty()) return std::nullopt;
    TextImportSettings settings;
    for (const QString& name : profile->childKeys())
        ApplySettingsField(settings, name.toStdString(), profile->value(name).toString().toLatin1().toStdString());
    return settings;
}

void RememberTextImport(const QString& path, const TextImportSettings& settings)
{
    const auto profile = OpenUserProfile();
    profile->beginGroup(GroupOf(path));
    // Settings kept only while on are gone when they are off.
    profile->remove(QString());
    for (const auto& [name, value] : SettingsFields(settings))
        profile->setValue(QString::fromStdString(name), QString::fromLatin1(value.data(), qsizetype(value.size())));
}

}  // namespace kalderon
