#pragma once

#include <QString>

class QWidget;

namespace kalderon {

struct AppServices;

// Shows a topic of the help file, such as "import_dbfiles".  The program
// has no viewer for the compiled help file, so the person is told that the
// help file cannot be shown, with its full path.
void ShowHelpTopic(QWidget* parent, AppServices& services, const QString& topic);

}  // namespace kalderon
