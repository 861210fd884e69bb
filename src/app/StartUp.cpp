#include "app/StartUp.h"

#include <QMetaObject>

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/OpenFile.h"
#include "resources/Texts.h"

namespace kalderon {

CommandLine ParseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    bool optionsEnded = false;
    for (const QString& argument : arguments.mid(1)) {
        if (optionsEnded || !argument.startsWith(QStringLiteral("--")))
            line.files << argument;
        else if (argument == QStringLiteral("--"))
            optionsEnded = true;
        else if (argument == QStringLiteral("--version"))
            line.version = true;
        else if (argument == QStringLiteral("--help"))
            line.help = true;
        else if (line.unknownOption.isEmpty())
            line.unknownOption = argument;
    }
    return line;
}

QString VersionText(const ApplicationPaths& paths) { return QStringLiteral("KALDERON\n") + CAboutDlg::BuildText(paths) + "\n"; }

QString UsageText()
{
    return QString::fromLatin1(text::kDesktopUsage);
}

void OpenFilesAfterStart(CMainFrame& frame, const QStringList& files)
{
    if (files.isEmpty()) return;
    QMetaObject::invokeMethod(&frame, [&frame, files] { OpenFilesByPath(frame, files); }, Qt::QueuedConnection);
}

}  // namespace kalderon
