#include "common/ui/UiText.h"

#include <QFile>

#include "common/qt/DisplayText.h"
#include "resources/StringTable.h"

namespace kalderon {

QString UiString(int id) { return DisplayText(LoadString(id)); }

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace kalderon
