#pragma once

#include <functional>
#include <memory>
#include <string>

#include "import/DatabaseEngine.h"

namespace kalderon {

using DatabaseOpener = std::function<std::unique_ptr<Database>()>;

// A database whose reader runs in a child process, one child per request
// (the list of tables, the field names of a table, the rows of a table,
// which arrive one by one as the child reads them).  A file that makes the
// reader crash is refused as damaged instead of taking the calling process
// down with it; what the reader prints on standard error is never seen.
// Errors the reader raises reach the caller as they were raised.
std::unique_ptr<Database> OpenIsolatedDatabase(const std::string& path, DatabaseOpener open);

}  // namespace kalderon
