#include <QApplication>
#include <clocale>

#include "common/ui/AppServices.h"
#include "app/CMainFrame.h"
#include "common/ui/DisplayText.h"
#include "common/ui/MessageBoxMessages.h"
#include "common/ui/QtFileDialogs.h"
#include "common/ui/ResourceIds.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // Numbers and dates are written with the C conventions whatever the
    // user's locale is; Qt has set the process locale from the environment.
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_TIME, "C");
    QApplication::setOrganizationName(kalderon::UiString(kalderon::resource::kOrganisation));
    QApplication::setApplicationName(kalderon::UiString(kalderon::resource::kAppTitle));

    kalderon::MessageBoxMessages messages;
    kalderon::QtFileDialogs fileDialogs;
    kalderon::AppServices services{messages, fileDialogs, kalderon::ApplicationPaths::AgainstWorkingDirectory()};
    kalderon::CMainFrame mainFrame(services);
    mainFrame.show();
    return application.exec();
}
