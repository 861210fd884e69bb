#pragma once

#include "common/ui/ApplicationPaths.h"
#include "common/ui/FileDialogs.h"
#include "common/ui/FontColorDialogs.h"
#include "common/ui/Messages.h"

namespace kalderon {

// What the windows use to talk to the person and where the program's files
// are; the program passes real dialogs, tests scripted ones.
struct AppServices {
    Messages& messages;
    FileDialogs& fileDialogs;
    ApplicationPaths paths;
    // Font and colour dialogs; none means the Qt dialogs.
    FontColorDialogs* fontColorDialogs = nullptr;

    FontColorDialogs& fontsAndColors()
    {
        static QtFontColorDialogs qtDialogs;
        return fontColorDialogs ? *fontColorDialogs : qtDialogs;
    }
};

}  // namespace kalderon
