#pragma once

#include <QByteArray>
#include <QDebug>
#include <QProcess>
#include <QStringList>

#include "support/GuiTestSupport.h"

namespace kalderon::testing {

// The report kalderon-batch writes for the arguments, run in the source
// folder with the report clock fixed as the tests fix it.
inline QByteArray BatchReport(const QStringList& arguments)
{
    QProcess batch;
    batch.setWorkingDirectory(SourcePath(QString()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SOURCE_DATE_EPOCH"), QStringLiteral("1700000000"));
    environment.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    batch.setProcessEnvironment(environment);
    batch.start(QStringLiteral(KALDERON_BATCH_PATH), arguments);
    if (!batch.waitForFinished(60000) || batch.exitCode() != 0) qWarning() << batch.readAllStandardError();
    return batch.readAllStandardOutput();
}

}  // namespace kalderon::testing
