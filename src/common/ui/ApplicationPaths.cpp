#include "common/ui/ApplicationPaths.h"

#include <QDir>

namespace kalderon {

ApplicationPaths ApplicationPaths::AgainstWorkingDirectory()
{
    const QDir current = QDir::current();
    return {current.absoluteFilePath(QStringLiteral("LifeTables.mdb")),
            current.absoluteFilePath(QStringLiteral("ReferenceRateTables.mdb")),
            current.absoluteFilePath(QStringLiteral("KALDERON.chm"))};
}

}  // namespace kalderon
