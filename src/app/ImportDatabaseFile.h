#pragma once

#include <QString>

namespace kalderon {

class CMainFrame;

// Imports a table of an Access, Excel or dBase file: opens the database,
// lets the person choose the table (unless there is only one) and assign its
// fields, and reads the table into a new data window.  Errors of the
// database engine are shown in a message and open no window.  True when a
// data window was made.
bool ImportDatabaseFile(CMainFrame& frame, const QString& path);

}  // namespace kalderon
