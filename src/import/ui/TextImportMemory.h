#pragma once

#include <QString>
#include <optional>

#include "import/TextImportSettings.h"

namespace kalderon {

// The text import settings last finished for files of the extension of
// `path` (letter case ignored); none when there are none.
std::optional<TextImportSettings> RememberedTextImport(const QString& path);
void RememberTextImport(const QString& path, const TextImportSettings& settings);

}  // namespace kalderon
