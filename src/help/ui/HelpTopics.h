#pragma once

#include <QString>

class QWidget;

namespace kalderon {

struct AppServices;

// Shows a topic of the help file, such as "import_dbfiles", in the help
// viewer; an empty topic shows the first page of the contents.  When the
// help file cannot be read or lacks the topic, the person is told that the
// help file was not found, with its full path.
void ShowHelpTopic(QWidget* parent, AppServices& services, const QString& topic);

}  // namespace kalderon
