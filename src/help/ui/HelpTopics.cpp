#include "help/ui/HelpTopics.h"

#include "common/TextFormat.h"
#include "common/qt/DisplayText.h"
#include "common/ui/AppServices.h"
#include "common/ui/UiText.h"
#include "help/ui/CHelpViewer.h"
#include "resources/Texts.h"

namespace kalderon {

void ShowHelpTopic(QWidget* parent, AppServices& services, const QString& topic)
{
    if (CHelpViewer::Show(parent, services.paths.helpFile, topic)) return;
    services.messages.Show(parent,
                           DisplayText(FormatText(text::kHelpFileNotFound, PathBytes(services.paths.helpFile))));
}

}  // namespace kalderon
