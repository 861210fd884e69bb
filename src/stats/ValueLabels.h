#pragma once

#include <map>
#include <string>

namespace kalderon {

// The labels a field gives its values: a value's text to its label.
using ValueLabels = std::map<std::string, std::string>;

}  // namespace kalderon
