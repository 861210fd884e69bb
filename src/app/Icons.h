#pragma once

#include <QIcon>

namespace kalderon {

// The 16 by 15 pixel toolbar picture of a command; a null icon for a command
// without one.
QIcon CommandIcon(int commandId);

// The program's icon: a falling survival curve.
QIcon ApplicationIcon();

}  // namespace kalderon
