#pragma once

#include <QString>

class QWidget;

namespace kalderon {

class Messages;

// Looks at a file before it goes to the text import: a file that cannot be
// read or holds no line of data is reported and refused; a file with binary
// content is offered only when the person says so.  True when the import
// may go on.
bool AcceptTextFile(QWidget* parent, Messages& messages, const QString& path);

}  // namespace kalderon
