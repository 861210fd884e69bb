#pragma once

#include <QString>

namespace kalderon {

class CMainFrame;

// "Open data file": asks for the file, remembers its folder as the next
// start folder and reads it as a database table or through the text import
// wizard into a new data window.
void OpenDataFile(CMainFrame& frame);
// The same for a file already chosen; true when a data window was made.
bool OpenDataFileByPath(CMainFrame& frame, const QString& path);

}  // namespace kalderon
