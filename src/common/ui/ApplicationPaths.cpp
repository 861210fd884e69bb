#include "common/ui/ApplicationPaths.h"

#include <QDir>
#include <QFile>

#include "resources/ShippedFiles.h"

namespace kalderon {

ApplicationPaths ApplicationPaths::AgainstWorkingDirectory()
{
    const QDir current = QDir::current();
    return {current.absoluteFilePath(QStringLiteral("LifeTables.mdb")),
            current.absoluteFilePath(QStringLiteral("ReferenceRateTables.mdb")),
            current.absoluteFilePath(QStringLiteral("KALDERON.chm"))};
}

ApplicationPaths ApplicationPaths::Locate()
{
    const auto locate = [](const char* name) {
        return QFile::decodeName(FindShippedFile(ShippedFileCandidates(name)).c_str());
    };
    return {locate("LifeTables.mdb"), locate("ReferenceRateTables.mdb"), locate("KALDERON.chm")};
}

}  // namespace kalderon
