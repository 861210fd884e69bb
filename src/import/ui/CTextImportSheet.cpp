#include "import/ui/CTextImportSheet.h"

#include <QAbstractButton>

#include "common/qt/DisplayText.h"
#include "common/ui/Messages.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/ScreenFit.h"
#include "common/ui/UiText.h"
#include "import/TextFieldNames.h"
#include "import/TextRoleConflicts.h"
#include "import/ui/CFilePreview.h"
#include "import/ui/CTextImportPage1.h"
#include "import/ui/CTextImportPage2A.h"
#include "import/ui/CTextImportPage2B.h"
#include "import/ui/CTextImportPage3A.h"
#include "import/ui/WizardControls.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {
constexpr int kCaption = 320;
}  // namespace

CTextImportSheet::CTextImportSheet(const QString& path, Messages& messages, QWidget* parent)
    : QWizard(parent), messages_(messages)
{
    const auto file = PreviewLines::Scan(PathBytes(path));
    // A file that cannot be read gets no guesses; reading it after Finish says why.
    ReadResult<std::vector<std::string>> firstLines = FirstFileLines(PathBytes(path), kLinesForGuessing);
    page1_ = new CTextImportPage1(file);
    page2A_ = new CTextImportPage2A(file, firstLines ? std::move(*firstLines) : std::vector<std::string>());
    page3A_ = new CTextImportPage3A(file, *page2A_, messages);
    page2B_ = new CTextImportPage2B(file, messages);
    setPage(CTextImportPage1::kId, page1_);
    setPage(CTextImportPage2A::kId, page2A_);
    setPage(CTextImportPage3A::kId, page3A_);
    setPage(CTextImportPage2B::kId, page2B_);
    setStartId(CTextImportPage1::kId);
    for (QWizardPage* page : {static_cast<QWizardPage*>(page1_), static_cast<QWizardPage*>(page2A_),
                              static_cast<QWizardPage*>(page3A_), static_cast<QWizardPage*>(page2B_)})
        ScrollContentsOf(page);

    setWindowTitle(UiString(kCaption));
    setWizardStyle(QWizard::ClassicStyle);
    button(QWizard::BackButton)->setObjectName(ControlName(kBackButton));
    button(QWizard::NextButton)->setObjectName(ControlName(kNextButton));
    button(QWizard::FinishButton)->setObjectName(ControlName(kFinishButton));
    button(QWizard::CancelButton)->setObjectName(ControlName(button::kCancel));
    setButtonText(QWizard::CancelButton, QStringLiteral("&Cancel"));
    resize(600, 480);
    FitToScreen(this);
}

void CTextImportSheet::ApplySettings(const TextImportSettings& settings)
{
    page1_->Apply(settings);
    page2A_->Apply(settings);
    page3A_->Apply(settings);
    page2B_->Apply(settings);
}

bool CTextImportSheet::validateCurrentPage()
{
    if (!QWizard::validateCurrentPage()) return false;
    auto* page = qobject_cast<RoleAssignmentPage*>(currentPage());
    if (!page) return true;
    const std::optional<SharedColumn> shared = FindSharedColumn(settings());
    if (!shared) return true;
    const QString question = DisplayText(SharedColumnText(*shared) + text::kUseColumnTwiceAnyway);
    if (messages_.Confirm(this, question) == Messages::Answer::Yes) return true;
    page->FocusRole(shared->second);
    return false;
}

TextImportSettings CTextImportSheet::settings() const
{
    TextImportSettings s;
    s.format = page1_->format;
    s.separator = page2A_->separator;
    s.beginColumn = page3A_->beginColumn;
    s.endColumn = page3A_->endColumn;
    s.statusColumn = page3A_->statusColumn;
    s.groupColumn = page3A_->groupColumn;
    s.sexColumn = page3A_->sexColumn;
    s.birthColumn = page3A_->birthColumn;
    s.beginFrom = page2B_->beginFrom;
    s.beginTo = page2B_->beginTo;
    s.endFrom = page2B_->endFrom;
    s.endTo = page2B_->endTo;
    s.statusFrom = page2B_->statusFrom;
    s.statusTo = page2B_->statusTo;
    s.groupFrom = page2B_->groupFrom;
    s.groupTo = page2B_->groupTo;
    s.sexFrom = page2B_->sexFrom;
    s.sexTo = page2B_->sexTo;
    s.birthFrom = page2B_->birthFrom;
    s.birthTo = page2B_->birthTo;
    if (s.format == TextImportSettings::kFreeFormat) {
        s.firstLineNames = page2A_->firstLineNames;
        s.quotedFields = page2A_->quotedFields;
    }
    // The roles and patterns come from the page the format uses.
    const RoleAssignmentPage& roles = s.format == TextImportSettings::kFreeFormat
                                          ? static_cast<const RoleAssignmentPage&>(*page3A_)
                                          : static_cast<const RoleAssignmentPage&>(*page2B_);
    s.useGroup = roles.useGroup;
    s.useSex = roles.useSex;
    s.useBirth = roles.useBirth;
    s.beginFormat = roles.beginFormat;
    s.endFormat = roles.endFormat;
    s.birthFormat = roles.birthFormat;
    return s;
}

}  // namespace kalderon
