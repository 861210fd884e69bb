#pragma once

#include <QString>
#include <string>

namespace kalderon {

// A byte text for display: UTF-8 where it is valid, else Windows-1252.
QString DisplayText(const std::string& bytes);

}  // namespace kalderon
