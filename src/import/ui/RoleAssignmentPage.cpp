#include "import/ui/RoleAssignmentPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "common/ui/Messages.h"
#include "common/ui/UiText.h"
#include "import/DatePattern.h"
#include "import/ui/WizardControls.h"

namespace kalderon {
namespace {

constexpr int kPatternMessage = 321;

struct OptionalRole {
    int role;
    int checkId;
};
constexpr OptionalRole kOptionalRoles[] = {{kRoleGroup, RoleAssignmentPage::kUseGroup},
                                           {kRoleSex, RoleAssignmentPage::kUseSex},
                                           {kRoleBirth, RoleAssignmentPage::kUseBirth}};

// Which pattern combo a date role has: begin, end, birth.
int PatternSlot(int role) { return role == kRoleBegin ? 0 : role == kRoleEnd ? 1 : role == kRoleBirth ? 2 : -1; }
constexpr int kPatternIds[3] = {RoleAssignmentPage::kBeginPattern, RoleAssignmentPage::kEndPattern,
                                 RoleAssignmentPage::kBirthPattern};

}  // namespace

RoleAssignmentPage::RoleAssignmentPage(std::shared_ptr<const PreviewLines> file, CFilePreview::Mode mode,
                                       const QString& groupTitle, const QStringList& fieldHeaders, Messages& messages,
                                       QWidget* parent)
    : QWizardPage(parent),
      messages_(messages),
      preview_(new CFilePreview(this)),
      fieldColumns_(static_cast<int>(fieldHeaders.size()))
{
    setWindowTitle(QStringLiteral("Text file import"));
    auto* box = new QGroupBox(groupTitle, this);
    // The note stands below the grid rather than across its columns, so that
    // a column whose controls are hidden takes no room.
    auto* boxLayout = new QVBoxLayout(box);
    grid_ = new QGridLayout;
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setHorizontalSpacing(8);
    grid_->setVerticalSpacing(4);
    boxLayout->setSpacing(grid_->verticalSpacing());
    boxLayout->addLayout(grid_);
    for (int i = 0; i < fieldColumns_; ++i) {
        fieldHeaders_.append(MakeColumnHeader(fieldHeaders[i], box));
        grid_->addWidget(fieldHeaders_.back(), 0, 3 + i);
    }
    grid_->addWidget(MakeColumnHeader(QStringLiteral("Date format"), box), 0, 3 + fieldColumns_);
    grid_->setColumnStretch(4 + fieldColumns_, 1);
    boxLayout->addWidget(new QLabel(RequiredNote(), box));

    preview_->setObjectName(ControlName(wizard_page::kPreview));
    preview_->SetFile(std::move(file));
    preview_->SetMode(mode, kRoleCount, true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(preview_, 1);
}

void RoleAssignmentPage::AddRoleRow(int role, const QList<QWidget*>& fields, const QList<QWidget*>& focusable)
{
    QWidget* box = grid_->parentWidget();
    const int row = 1 + role;
    grid_->addWidget(MakeSwatch(role, box), row, 0);
    auto* label = new QLabel(RoleLabelWithMnemonic(role), box);
    label->setObjectName(QStringLiteral("roleLabel%1").arg(role));
    grid_->addWidget(label, row, 2);
    QList<QWidget*> controls = fields;
    controls.prepend(label);
    for (int i = 0; i < fields.size(); ++i) grid_->addWidget(fields[i], row, 3 + i);
    firstEdits_[role] = focusable.front();
    QList<QWidget*> focusOrder = focusable;

    const int slot = PatternSlot(role);
    if (slot >= 0) {
        QComboBox* combo = MakePatternCombo(kPatternIds[slot], box);
        patterns_[slot] = combo;
        std::string* member = slot == 0 ? &beginFormat : slot == 1 ? &endFormat : &birthFormat;
        connect(combo, &QComboBox::currentTextChanged, this,
                [member](const QString& text) { *member = text.toLatin1().toStdString(); });
        grid_->addWidget(combo, row, 3 + fieldColumns_);
        controls.append(combo);
        focusOrder.append(combo);
    }
    label->setBuddy(focusable.front());

    for (const OptionalRole& optional : kOptionalRoles) {
        if (optional.role != role) continue;
        QCheckBox* check = MakeRoleCheckBox(optional.checkId, box);
        check->setAccessibleName(RoleLabelText(role));
        checks_[role] = check;
        focusOrder.prepend(check);
        label->setBuddy(check);
        grid_->addWidget(check, row, 1);
        connect(check, &QCheckBox::toggled, this, [this, role](bool on) { UseToggled(role, on); });
        for (QWidget* control : controls) control->setEnabled(false);
    }
    roleControls_[role] = controls;

    for (QWidget* widget : focusOrder) {
        if (lastInFocusChain_) setTabOrder(lastInFocusChain_, widget);
        lastInFocusChain_ = widget;
    }
    setTabOrder(lastInFocusChain_, preview_);
}

void RoleAssignmentPage::ApplyRoles(const TextImportSettings& settings)
{
    const bool used[kRoleCount] = {true, true, true, settings.useGroup, settings.useSex, settings.useBirth};
    for (int role = 0; role < kRoleCount; ++role)
        if (checks_[role]) checks_[role]->setChecked(used[role]);
    const std::string* formats[3] = {&settings.beginFormat, &settings.endFormat, &settings.birthFormat};
    for (size_t slot = 0; slot < patterns_.size(); ++slot)
        patterns_[slot]->setCurrentText(QString::fromLatin1(formats[slot]->c_str()));
}

void RoleAssignmentPage::FocusRole(int role) { firstEdits_[role]->setFocus(); }

QComboBox* RoleAssignmentPage::PatternCombo(int role) const
{
    const int slot = PatternSlot(role);
    return slot < 0 ? nullptr : patterns_[static_cast<size_t>(slot)];
}

bool RoleAssignmentPage::IsUsed(int role) const
{
    switch (role) {
    case kRoleGroup:
        return useGroup;
    case kRoleSex:
        return useSex;
    case kRoleBirth:
        return useBirth;
    default:
        return true;
    }
}

void RoleAssignmentPage::UseToggled(int role, bool on)
{
    (role == kRoleGroup ? useGroup : role == kRoleSex ? useSex : useBirth) = on;
    for (QWidget* control : roleControls_[role]) control->setEnabled(on);
    if (on)
        ShowMark(role);
    else
        preview_->ClearMark(role);
}

bool RoleAssignmentPage::validatePage()
{
    for (QComboBox* combo : patterns_) {
        if (IsUsableDatePattern(combo->currentText().toLatin1().toStdString())) continue;
        messages_.Show(this, UiString(kPatternMessage));
        combo->setFocus();
        return false;
    }
    return true;
}

}  // namespace kalderon
