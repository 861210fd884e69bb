#include "app/CaseChoiceCommands.h"

#include "analysis/ui/CGroupCasesDlg.h"
#include "analysis/ui/CSelectCasesDlg.h"
#include "app/CMainFrame.h"
#include "common/ui/ResourceIds.h"
#include "help/ui/HelpTopics.h"
#include "import/ui/CEventDataView.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

template <typename Dialog>
bool Confirmed(CMainFrame& mainFrame, Dialog& dialog)
{
    QObject::connect(&dialog, &Dialog::HelpRequested, &dialog, [&] {
        ShowHelpTopic(&dialog, mainFrame.services(), QString::fromUtf8(text::kSelectingCasesTopic));
    });
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace

bool IsCaseChoiceCommand(int id)
{
    return id == command::kSelectCases || id == command::kAllCases || id == command::kGroupCases;
}

bool CaseChoiceCommandEnabled(const CEventDataView& view, int id)
{
    if (id == command::kAllCases) return !view.choice().conditions.empty();
    return IsCaseChoiceCommand(id);
}

void RunCaseChoiceCommand(CMainFrame& mainFrame, CEventDataView& view, int id)
{
    CaseChoice choice = view.choice();
    if (id == command::kSelectCases) {
        CSelectCasesDlg dialog(view.data(), choice.conditions, mainFrame.services().messages, &mainFrame);
        if (!Confirmed(mainFrame, dialog)) return;
        choice.conditions = dialog.conditions();
    } else if (id == command::kGroupCases) {
        CGroupCasesDlg dialog(view.data(), choice.grouping, mainFrame.services().messages, &mainFrame);
        if (!Confirmed(mainFrame, dialog)) return;
        choice.grouping = dialog.grouping();
    } else if (id == command::kAllCases) {
        choice.conditions.clear();
    } else {
        return;
    }
    view.ApplyChoice(std::move(choice));
}

}  // namespace kalderon
