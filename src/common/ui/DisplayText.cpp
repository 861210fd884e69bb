#include "common/ui/DisplayText.h"

#include <QFile>

#include "resources/StringTable.h"

namespace kalderon {

QString UiString(int id) { return DisplayText(LoadString(id)); }

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace kalderon
