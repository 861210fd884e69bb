#pragma once

#include <QByteArray>
#include <QClipboard>
#include <QDebug>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QProcess>

#include "app/CMainFrame.h"
#include "app/CResultFrame.h"
#include "common/ui/ResourceIds.h"
#include "support/GuiTestSupport.h"

namespace kalderon::testing {

// The command line a results window copies (Edit > Copy command line), run
// by a shell in the source folder with kalderon-batch on the path and the
// report clock fixed as the tests fix it: the report it writes.
inline QByteArray CopiedCommandReport(CMainFrame& mainFrame, CResultFrame* results)
{
    mainFrame.mdiArea()->setActiveSubWindow(results);
    QGuiApplication::clipboard()->clear();
    mainFrame.command(command::kCopyCommandLine)->trigger();
    const QString line = QGuiApplication::clipboard()->text();
    if (!line.startsWith(QStringLiteral("kalderon-batch "))) qWarning() << "copied:" << line;
    QProcess shell;
    shell.setWorkingDirectory(SourcePath(QString()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SOURCE_DATE_EPOCH"), QStringLiteral("1700000000"));
    environment.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    environment.insert(QStringLiteral("PATH"), QFileInfo(QStringLiteral(KALDERON_BATCH_PATH)).absolutePath() +
                                                   QLatin1Char(':') + environment.value(QStringLiteral("PATH")));
    shell.setProcessEnvironment(environment);
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), line});
    if (!shell.waitForFinished(60000) || shell.exitCode() != 0) qWarning() << line << shell.readAllStandardError();
    return shell.readAllStandardOutput();
}

}  // namespace kalderon::testing
