#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace kalderon {

// A byte string for display: decoded as UTF-8 when it is valid UTF-8, else as
// Windows-1252.
QString DisplayText(std::string_view bytes);

// A string-table entry for display.
QString UiString(int id);

// A file path as the bytes the file system and the core use, and back.
std::string PathBytes(const QString& path);
QString PathFromBytes(const std::string& bytes);

}  // namespace kalderon
