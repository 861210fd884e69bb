#pragma once

#include <QString>

namespace kalderon {

// The object name that carries a control's or command's resource id, such
// as "id1028", by which tests and people find it.
inline QString ControlName(int id) { return QStringLiteral("id%1").arg(id); }

}  // namespace kalderon
