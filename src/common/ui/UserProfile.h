#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace kalderon {

// The current user's settings: an INI file of the organisation QOV and the
// application KALDERON.
std::unique_ptr<QSettings> OpenUserProfile();

// "Settings"/"LastImportDir": the folder of the last data file opened, with
// its trailing separator; empty when never stored.
QString LastImportDir();
void StoreLastImportDir(const QString& filePath);

// The folder part of a path up to and including its last separator.
QString FolderOfPath(const QString& filePath);

}  // namespace kalderon
