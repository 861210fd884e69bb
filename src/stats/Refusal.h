#pragma once

#include <optional>
#include <string>

namespace kalderon {

// What a computation that may refuse gives beside the results it writes
// into the record: nothing when it computed, else the reason it refused, a
// text of the string table (resources/) for the UI or the command line to
// show.
using Refusal = std::optional<std::string>;

}  // namespace kalderon
