#pragma once

#include <functional>
#include <memory>
#include <string>

#include "import/DatabaseEngine.h"

namespace kalderon {

using DatabaseOpener = std::function<DatabaseResult()>;

// A database whose reader runs in a child process, one child per request
// (the list of tables, the field names of a table, the value labels of its
// fields, the rows of a table, which arrive one by one as the child reads
// them).  A file that makes the
// reader crash is refused as damaged instead of taking the calling process
// down with it; what the reader prints on standard error is never seen.
// Faults the reader gives reach the caller as they were given.
DatabaseResult OpenIsolatedDatabase(const std::string& path, DatabaseOpener open);

}  // namespace kalderon
