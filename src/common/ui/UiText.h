#pragma once

#include <QString>
#include <string>

namespace kalderon {

// A string-table entry for display.
QString UiString(int id);

// A file path as the bytes the file system and the core use.
std::string PathBytes(const QString& path);

}  // namespace kalderon
