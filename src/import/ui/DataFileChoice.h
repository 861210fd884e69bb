#pragma once

#include <QString>

class QWidget;

namespace kalderon {

struct AppServices;

// The open dialog of "Open data file": the file kinds of string 200 after
// "All supported files", starting in "LastImportDir" with the kind chosen
// last time.  The chosen path, or an empty text when cancelled.
QString ChooseDataFile(QWidget* parent, AppServices& services);

// "All supported files|*.txt;*.csv;*.mdb;*.dbf;*.xls;*.xlsx;*.ods;" and the statistics
// files' patterns, the entry of the statistics files, then string 200.
QString DataFileFilter();

}  // namespace kalderon
