#include "import/ui/CTextImportPage3A.h"

#include <QLineEdit>

#include "import/ui/CSpinButton.h"
#include "import/ui/CTextImportPage2A.h"
#include "import/ui/WizardControls.h"

namespace kalderon {
namespace {

struct ColumnControls {
    int editId;
    int spinId;
};
using Page = CTextImportPage3A;
constexpr ColumnControls kControls[kRoleCount] = {
    {Page::kBeginColumn, Page::kBeginColumnSpin}, {Page::kEndColumn, Page::kEndColumnSpin},
    {Page::kStatusColumn, Page::kStatusColumnSpin}, {Page::kGroupColumn, Page::kGroupColumnSpin},
    {Page::kSexColumn, Page::kSexColumnSpin}, {Page::kBirthColumn, Page::kBirthColumnSpin},
};

}  // namespace

CTextImportPage3A::CTextImportPage3A(std::shared_ptr<const PreviewLines> file, const CTextImportPage2A& separatorPage,
                                     Messages& messages, QWidget* parent)
    : RoleAssignmentPage(file, CFilePreview::kDelimitedFields, QStringLiteral("Column assignment"),
                         {QStringLiteral("Column No.")}, messages, parent),
      separatorPage_(separatorPage)
{
    setObjectName(ControlName(kId));
    for (int role = 0; role < kRoleCount; ++role) {
        const SpinEdit number = MakeSpinEdit(kControls[role].editId, kControls[role].spinId, Column(role), this);
        number.spin->SetRange(1, file->maxLineLength);
        connect(number.edit, &QLineEdit::textChanged, this, [this, role, edit = number.edit] {
            Column(role) = EditNumber(edit);
            if (IsUsed(role)) ShowMark(role);
        });
        edits_[role] = number.edit;
        AddRoleRow(role, {number.box}, {number.edit});
        if (IsUsed(role)) ShowMark(role);
    }
}

void CTextImportPage3A::Apply(const TextImportSettings& settings)
{
    const std::int32_t columns[kRoleCount] = {settings.beginColumn, settings.endColumn, settings.statusColumn,
                                              settings.groupColumn, settings.sexColumn,  settings.birthColumn};
    for (int role = 0; role < kRoleCount; ++role) edits_[role]->setText(QString::number(columns[role]));
    ApplyRoles(settings);
}

void CTextImportPage3A::initializePage() { preview()->SetSeparator(separatorPage_.separatorCharacter()); }

std::int32_t& CTextImportPage3A::Column(int role)
{
    std::int32_t* columns[kRoleCount] = {&beginColumn, &endColumn, &statusColumn,
                                         &groupColumn, &sexColumn, &birthColumn};
    return *columns[role];
}

void CTextImportPage3A::ShowMark(int role) { preview()->SetFieldMark(role, Column(role)); }

}  // namespace kalderon
