#pragma once

#include <memory>
#include <string>

#include "import/DatabaseEngine.h"

namespace kalderon {

// An Access .mdb file (Jet 3 or Jet 4).  Field values are decoded from the
// stored bytes: dates as their day number, numbers exactly, texts of Jet 4
// files as UTF-8 and of Jet 3 files as stored, an empty text apart from null.
DatabaseResult OpenAccessDatabase(const std::string& path);

}  // namespace kalderon
