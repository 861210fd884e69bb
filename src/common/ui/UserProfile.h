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

// The kinds of file whose folder is remembered apart: data files
// ("LastImportDir"), chart files, reports and exports, and pictures.
enum class FileKind { kDataFile, kChart, kReport, kImage, kAnalysis };

// The folder of the last file of that kind chosen in a file dialog, with its
// trailing separator; until there is one, LastImportDir().
QString LastFolder(FileKind kind);
// Stores the folder of `filePath` as the last of its kind; the key of a kind
// is written only once a file of that kind is chosen.
void StoreLastFolder(FileKind kind, const QString& filePath);

}  // namespace kalderon
