#pragma once

#include <QStringList>

namespace kalderon {

class CMainFrame;
struct ApplicationPaths;

// The command line of kalderon: files to open, "--version", "--help".
struct CommandLine {
    QStringList files;
    bool version = false;
    bool help = false;
    QString unknownOption;  // the first option not understood
};
CommandLine ParseCommandLine(const QStringList& arguments);

// What "--version" prints: the About box's second text after the name.
QString VersionText(const ApplicationPaths& paths);
QString UsageText();

// Opens the files of the command line once the main window is shown.
void OpenFilesAfterStart(CMainFrame& frame, const QStringList& files);

}  // namespace kalderon
