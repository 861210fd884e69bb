#include "import/ui/CTextImportPage2B.h"

#include <QLineEdit>

#include "import/ui/CSpinButton.h"
#include "import/ui/WizardControls.h"

namespace kalderon {
namespace {

struct RangeControls {
    int fromEdit, toEdit, fromSpin, toSpin;
};
using Page = CTextImportPage2B;
constexpr RangeControls kControls[kRoleCount] = {
    {Page::kBeginFrom, Page::kBeginTo, Page::kBeginFromSpin, Page::kBeginToSpin},
    {Page::kEndFrom, Page::kEndTo, Page::kEndFromSpin, Page::kEndToSpin},
    {Page::kStatusFrom, Page::kStatusTo, Page::kStatusFromSpin, Page::kStatusToSpin},
    {Page::kGroupFrom, Page::kGroupTo, Page::kGroupFromSpin, Page::kGroupToSpin},
    {Page::kSexFrom, Page::kSexTo, Page::kSexFromSpin, Page::kSexToSpin},
    {Page::kBirthFrom, Page::kBirthTo, Page::kBirthFromSpin, Page::kBirthToSpin},
};

}  // namespace

CTextImportPage2B::CTextImportPage2B(std::shared_ptr<const PreviewLines> file, Messages& messages, QWidget* parent)
    : RoleAssignmentPage(file, CFilePreview::kCharacterRanges, QStringLiteral("Column format"),
                         {QStringLiteral("Start column"), QStringLiteral("End column")}, messages, parent)
{
    setObjectName(ControlName(kId));
    for (int role = 0; role < kRoleCount; ++role) {
        const RangeControls& ids = kControls[role];
        const SpinEdit from = MakeSpinEdit(ids.fromEdit, ids.fromSpin, From(role), this);
        const SpinEdit to = MakeSpinEdit(ids.toEdit, ids.toSpin, To(role), this);
        from.spin->SetRange(1, file->maxLineLength);
        to.spin->SetRange(1, file->maxLineLength);
        fromEdits_[role] = from.edit;
        toEdits_[role] = to.edit;
        connect(from.edit, &QLineEdit::textChanged, this, [this, role] { NumbersEdited(role); });
        connect(to.edit, &QLineEdit::textChanged, this, [this, role] { NumbersEdited(role); });
        // The order of first and last is restored once a number is complete.
        connect(from.edit, &QLineEdit::editingFinished, this, [this, role] { FirstChanged(role); });
        connect(from.spin, &CSpinButton::Stepped, this, [this, role] { FirstChanged(role); });
        connect(to.edit, &QLineEdit::editingFinished, this, [this, role] { LastChanged(role); });
        connect(to.spin, &CSpinButton::Stepped, this, [this, role] { LastChanged(role); });
        AddRoleRow(role, {from.box, to.box}, {from.edit, to.edit});
        if (IsUsed(role)) ShowMark(role);
    }
}

void CTextImportPage2B::Apply(const TextImportSettings& s)
{
    const std::int32_t from[kRoleCount] = {s.beginFrom, s.endFrom, s.statusFrom, s.groupFrom, s.sexFrom, s.birthFrom};
    const std::int32_t to[kRoleCount] = {s.beginTo, s.endTo, s.statusTo, s.groupTo, s.sexTo, s.birthTo};
    for (int role = 0; role < kRoleCount; ++role) {
        fromEdits_[role]->setText(QString::number(from[role]));
        toEdits_[role]->setText(QString::number(to[role]));
    }
    ApplyRoles(s);
}

std::int32_t& CTextImportPage2B::From(int role)
{
    std::int32_t* values[kRoleCount] = {&beginFrom, &endFrom, &statusFrom, &groupFrom, &sexFrom, &birthFrom};
    return *values[role];
}

std::int32_t& CTextImportPage2B::To(int role)
{
    std::int32_t* values[kRoleCount] = {&beginTo, &endTo, &statusTo, &groupTo, &sexTo, &birthTo};
    return *values[role];
}

void CTextImportPage2B::NumbersEdited(int role)
{
    From(role) = EditNumber(fromEdits_[role]);
    To(role) = EditNumber(toEdits_[role]);
    ShowMark(role);
}

// A first position above the last raises the last to it.
void CTextImportPage2B::FirstChanged(int role)
{
    if (From(role) > To(role)) toEdits_[role]->setText(QString::number(From(role)));
}

// A last position below the first lowers the first to it.
void CTextImportPage2B::LastChanged(int role)
{
    if (To(role) < From(role)) fromEdits_[role]->setText(QString::number(To(role)));
}

void CTextImportPage2B::ShowMark(int role)
{
    if (IsUsed(role))
        preview()->SetRangeMark(role, From(role), To(role));
    else
        preview()->ClearMark(role);
}

}  // namespace kalderon
