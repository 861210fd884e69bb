#pragma once

#include <QString>
#include <string_view>

namespace kalderon {

// A byte text for display: UTF-8 where it is valid, else Windows-1252.
QString DisplayText(std::string_view bytes);

}  // namespace kalderon
