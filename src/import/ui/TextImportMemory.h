#pragma once

#include <QString>

#include "import/TextImportSettings.h"

namespace kalderon {

// The text import settings last finished for files of the extension of
// `path` (letter case ignored), or the defaults when there are none.
TextImportSettings RememberedTextImport(const QString& path);
void RememberTextImport(const QString& path, const TextImportSettings& settings);

}  // namespace kalderon
