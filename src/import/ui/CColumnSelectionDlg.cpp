#include "import/ui/CColumnSelectionDlg.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QScrollArea>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/qt/DisplayText.h"
#include "common/ui/ControlName.h"
#include "common/ui/DialogButtons.h"
#include "common/ui/ScreenFit.h"
#include "common/ui/Messages.h"
#include "common/ui/UiText.h"
#include "import/ui/CFilePreview.h"
#include "import/ui/WizardControls.h"

namespace kalderon {
namespace {

// The combos of each role's row: the complete-date combo, or the day, month
// and year combos (0 where the row has none).
struct RoleRow {
    int role;
    int complete;
    ColumnComboKind completeKind;
    int day, month, year;
};
constexpr RoleRow kRows[] = {
    {kRoleBegin, kComboBegin, ColumnComboKind::Field, kComboBeginDay, kComboBeginMonth, kComboBeginYear},
    {kRoleEnd, kComboEnd, ColumnComboKind::Field, kComboEndDay, kComboEndMonth, kComboEndYear},
    {kRoleStatus, kComboStatus, ColumnComboKind::Field, 0, 0, 0},
    {kRoleGroup, kComboGroup, ColumnComboKind::Group, 0, 0, 0},
    {kRoleSex, kComboSex, ColumnComboKind::Sex, 0, 0, 0},
    {kRoleBirth, kComboBirth, ColumnComboKind::Birth, kComboBirthDay, kComboBirthMonth, kComboBirthYear},
};

}  // namespace

CColumnSelectionDlg::CColumnSelectionDlg(const std::vector<std::string>& columnTexts, Messages& messages,
                                         QWidget* parent)
    : QDialog(parent), messages_(messages), columnTexts_(columnTexts)
{
    setObjectName(ControlName(kDialog));
    setWindowTitle(QStringLiteral("Selection of Data Columns"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->addWidget(new QLabel(QStringLiteral("Type of date columns"), this), 0, 0);
    auto* complete = new QRadioButton(QStringLiteral("complete date"), this);
    complete->setObjectName(ControlName(kCompleteRadio));
    complete->setChecked(true);
    auto* separate = new QRadioButton(QStringLiteral("separate columns"), this);
    separate->setObjectName(ControlName(kSeparateRadio));
    auto* layoutChoice = new QButtonGroup(this);
    layoutChoice->addButton(complete, 0);
    layoutChoice->addButton(separate, 1);
    connect(layoutChoice, &QButtonGroup::idClicked, this, &CColumnSelectionDlg::ShowLayout);
    grid->addWidget(complete, 0, 1);
    grid->addWidget(separate, 0, 2, 1, 2);

    const char* const partNames[] = {"Day", "Month", "Year"};
    for (int part = 0; part < 3; ++part) {
        auto* header = new QLabel(QString::fromLatin1(partNames[part]), this);
        header->setObjectName(QStringLiteral("label") + QString::fromLatin1(partNames[part]));
        grid->addWidget(header, 1, 1 + part);
        separateControls_.push_back(header);
    }

    for (const RoleRow& row : kRows) {
        const int line = 2 + row.role;
        grid->addWidget(new QLabel(RoleLabelText(row.role), this), line, 0);
        QComboBox* whole = AddCombo(row.complete, row.completeKind);
        grid->addWidget(whole, line, 1, 1, 3);
        if (row.day == 0) continue;
        completeControls_.push_back(whole);
        const int parts[] = {row.day, row.month, row.year};
        for (int part = 0; part < 3; ++part) {
            QComboBox* combo = AddCombo(parts[part], part == 0 ? ColumnComboKind::Day : ColumnComboKind::Field);
            grid->addWidget(combo, line, 1 + part);
            separateControls_.push_back(combo);
        }
    }
    grid->addWidget(new QLabel(RequiredNote(), this), 2 + kRoleCount, 0, 1, 4);
    for (int column = 1; column <= 3; ++column) grid->setColumnStretch(column, 1);

    QDialogButtonBox* buttons = OkCancelHelpButtons(this);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &CColumnSelectionDlg::HelpRequested);

    QWidget* content = LayOutFittingScreen(this, grid, buttons)->widget();
    // One size for both layouts: that of the wider one.
    ShowLayout(1);
    content->setMinimumSize(content->sizeHint());
    ShowLayout(0);
}

QComboBox* CColumnSelectionDlg::AddCombo(int id, ColumnComboKind kind)
{
    auto* combo = new QComboBox(this);
    combo->setObjectName(ControlName(id));
    for (const std::string& entry : ColumnComboEntries(columnTexts_, kind)) combo->addItem(DisplayText(entry));
    combo->setCurrentIndex(0);
    combo->setMinimumContentsLength(12);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->view()->setMinimumWidth(combo->view()->sizeHintForColumn(0) + 24);
    combos_[id] = combo;
    return combo;
}

void CColumnSelectionDlg::ShowLayout(int dateInSeparateColumns)
{
    dateInSeparateColumns_ = dateInSeparateColumns;
    for (QWidget* control : completeControls_) control->setVisible(dateInSeparateColumns == 0);
    for (QWidget* control : separateControls_) control->setVisible(dateInSeparateColumns != 0);
}

int CColumnSelectionDlg::Index(int comboId) const { return combos_.at(comboId)->currentIndex(); }

ColumnSelection CColumnSelectionDlg::selection() const
{
    ColumnSelection s;
    s.begin = Index(kComboBegin);
    s.end = Index(kComboEnd);
    s.status = Index(kComboStatus);
    s.group = Index(kComboGroup);
    s.sex = Index(kComboSex);
    s.birth = Index(kComboBirth);
    s.beginDay = Index(kComboBeginDay);
    s.beginMonth = Index(kComboBeginMonth);
    s.beginYear = Index(kComboBeginYear);
    s.endDay = Index(kComboEndDay);
    s.endMonth = Index(kComboEndMonth);
    s.endYear = Index(kComboEndYear);
    s.birthDay = Index(kComboBirthDay);
    s.birthMonth = Index(kComboBirthMonth);
    s.birthYear = Index(kComboBirthYear);
    s.dateInSeparateColumns = dateInSeparateColumns_;
    return s;
}

void CColumnSelectionDlg::ShowProposal(const ColumnSelection& proposal)
{
    const std::pair<int, int> entries[] = {{kComboBegin, proposal.begin}, {kComboEnd, proposal.end},
                                           {kComboStatus, proposal.status}, {kComboGroup, proposal.group},
                                           {kComboSex, proposal.sex},       {kComboBirth, proposal.birth}};
    for (const auto& [id, index] : entries)
        if (index > 0 && index < combos_.at(id)->count()) combos_.at(id)->setCurrentIndex(index);
}

void CColumnSelectionDlg::accept()
{
    if (const std::optional<ColumnSelectionRefusal> refusal = CheckColumnSelection(selection())) {
        messages_.Show(this, UiString(refusal->messageId));
        combos_.at(refusal->focusControl)->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace kalderon
