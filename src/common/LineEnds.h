#pragma once

#include <string>

namespace kalderon {

// The bytes a text-mode write puts on disk: every "\n" becomes "\r\n" (so a
// "\r\n" already in the text becomes "\r\r\n").
std::string ToCrLf(const std::string& text);

}  // namespace kalderon
