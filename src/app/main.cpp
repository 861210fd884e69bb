#include <clocale>
#include <cstdio>

#include "app/CMainFrame.h"
#include "app/GuardedApplication.h"
#include "app/StartUp.h"
#include "common/TextFormat.h"
#include "common/ui/AppServices.h"
#include "common/ui/MessageBoxMessages.h"
#include "common/ui/QtFileDialogs.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"
#include "resources/Texts.h"

int main(int argc, char* argv[])
{
    kalderon::GuardedApplication application(argc, argv);
    // Numbers and dates are written with the C conventions whatever the
    // user's locale is; Qt has set the process locale from the environment.
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_TIME, "C");
    QApplication::setOrganizationName(kalderon::UiString(kalderon::resource::kOrganisation));
    QApplication::setApplicationName(kalderon::UiString(kalderon::resource::kAppTitle));

    const kalderon::CommandLine line = kalderon::ParseCommandLine(QApplication::arguments());
    const kalderon::ApplicationPaths paths = kalderon::ApplicationPaths::Locate();
    if (line.version || line.help || !line.unknownOption.isEmpty()) {
        if (!line.unknownOption.isEmpty())
            std::fprintf(stderr, "%s%s\n", kalderon::text::kDesktopProgram,
                         kalderon::FormatText(kalderon::text::kDesktopUnknownOption, qPrintable(line.unknownOption)).c_str());
        const QString text = line.version ? kalderon::VersionText(paths) : kalderon::UsageText();
        std::fputs(qPrintable(text), line.unknownOption.isEmpty() ? stdout : stderr);
        return line.unknownOption.isEmpty() ? 0 : 2;
    }

    kalderon::MessageBoxMessages messages;
    kalderon::QtFileDialogs fileDialogs;
    kalderon::AppServices services{messages, fileDialogs, paths};
    application.SetMessages(&messages);
    kalderon::CMainFrame mainFrame(services);
    mainFrame.show();
    kalderon::OpenFilesAfterStart(mainFrame, line.files);
    return application.exec();
}
