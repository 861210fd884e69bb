#include "analysis/ui/CGroupCasesDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "analysis/CaseFieldSummary.h"
#include "common/qt/DisplayText.h"
#include "common/ui/ControlName.h"
#include "common/ui/DialogButtons.h"
#include "common/ui/HelpKey.h"
#include "common/ui/Messages.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

constexpr const char* kIcssCuts = "icss";
constexpr const char* kYearCutsExample = "1990,1995,2000";

std::string CutsEntry(const std::vector<int>& cuts)
{
    if (std::equal(cuts.begin(), cuts.end(), kIcssAgeCuts.begin(), kIcssAgeCuts.end())) return kIcssCuts;
    return CutsText(cuts);
}

}  // namespace

CGroupCasesDlg::CGroupCasesDlg(const DataSet& data, const CaseGrouping& grouping, Messages& messages,
                               QWidget* parent)
    : QDialog(parent), data_(data), messages_(messages), columns_(CaseFieldNames(data, false)), grouping_(grouping)
{
    setObjectName(ControlName(kDialog));
    setWindowTitle(QString::fromUtf8(text::kGroupCasesTitle));
    SetHelpTopic(this, QString::fromUtf8(text::kSelectingCasesTopic));

    first_ = AddKey(kFirstKey, kFirstCuts, text::kFileGroupsEntry);
    second_ = AddKey(kSecondKey, kSecondCuts, text::kNoSecondKeyEntry);
    const std::vector<GroupKey>& keys = grouping.keys;
    const bool fileFirst = !keys.empty() && keys.front().kind == GroupKey::Kind::kFileGroups;
    if (!keys.empty() && !fileFirst) Preset(first_, keys[0]);
    if (keys.size() > 1) Preset(second_, keys[1]);

    auto* grid = new QGridLayout;
    grid->addWidget(Label(QStringLiteral("&Group by:"), first_.key), 0, 0);
    grid->addWidget(first_.key, 0, 1);
    grid->addWidget(Label(QStringLiteral("&Cut points:"), first_.cuts), 0, 2);
    grid->addWidget(first_.cuts, 0, 3);
    grid->addWidget(Label(QStringLiteral("&and by:"), second_.key), 1, 0);
    grid->addWidget(second_.key, 1, 1);
    grid->addWidget(Label(QStringLiteral("C&ut points:"), second_.cuts), 1, 2);
    grid->addWidget(second_.cuts, 1, 3);
    grid->setColumnStretch(1, 1);

    QDialogButtonBox* buttons = OkCancelHelpButtons(this);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &CGroupCasesDlg::HelpRequested);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(buttons);
}

QLabel* CGroupCasesDlg::Label(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text, this);
    label->setBuddy(buddy);
    return label;
}

CGroupCasesDlg::KeyControls CGroupCasesDlg::AddKey(int keyId, int cutsId, const char* firstEntry)
{
    KeyControls controls{new QComboBox(this), new QLineEdit(this)};
    controls.key->setObjectName(ControlName(keyId));
    controls.cuts->setObjectName(ControlName(cutsId));
    controls.key->addItem(QString::fromUtf8(firstEntry));
    for (const std::string& column : columns_) controls.key->addItem(DisplayText(column));
    if (data_.hasBirthColumn) controls.key->addItem(QString::fromUtf8(text::kAgeBandsEntry));
    controls.key->addItem(QString::fromUtf8(text::kBeginYearBandsEntry));
    controls.cuts->setEnabled(false);
    controls.cuts->setMinimumWidth(controls.cuts->fontMetrics().horizontalAdvance(QStringLiteral("1990,1995,2000,2005")) + 12);
    connect(controls.key, &QComboBox::currentTextChanged, this, [controls](const QString& entry) {
        const bool ages = entry == QString::fromUtf8(text::kAgeBandsEntry);
        const bool years = entry == QString::fromUtf8(text::kBeginYearBandsEntry);
        controls.cuts->setEnabled(ages || years);
        controls.cuts->setPlaceholderText(years ? QString::fromUtf8(kYearCutsExample) : QString());
        if (ages && controls.cuts->text().isEmpty()) controls.cuts->setText(QString::fromUtf8(kIcssCuts));
        if (!ages && !years) controls.cuts->clear();
    });
    return controls;
}

void CGroupCasesDlg::Preset(const KeyControls& controls, const GroupKey& key)
{
    switch (key.kind) {
    case GroupKey::Kind::kField:
        if (key.field.column >= 0) controls.key->setCurrentIndex(key.field.column + 1);
        break;
    case GroupKey::Kind::kAgeBands:
        controls.key->setCurrentText(QString::fromUtf8(text::kAgeBandsEntry));
        controls.cuts->setText(DisplayText(CutsEntry(key.cuts)));
        break;
    case GroupKey::Kind::kBeginYearBands:
        controls.key->setCurrentText(QString::fromUtf8(text::kBeginYearBandsEntry));
        controls.cuts->setText(DisplayText(CutsEntry(key.cuts)));
        break;
    case GroupKey::Kind::kFileGroups: break;
    }
}

bool CGroupCasesDlg::ReadKey(const KeyControls& controls, GroupKey& key, Refusal& refusal) const
{
    const int index = controls.key->currentIndex();
    if (index <= 0) return false;
    const std::string cuts = controls.cuts->text().trimmed().toStdString();
    if (static_cast<size_t>(index) <= columns_.size()) {
        key.kind = GroupKey::Kind::kField;
        refusal = FindCaseField(data_.columns, data_.hasBirthColumn, columns_[static_cast<size_t>(index - 1)], key.field);
    } else if (controls.key->currentText() == QString::fromUtf8(text::kAgeBandsEntry)) {
        key.kind = GroupKey::Kind::kAgeBands;
        refusal = ReadAgeCuts(cuts, key.cuts);
    } else {
        key.kind = GroupKey::Kind::kBeginYearBands;
        refusal = ReadYearCuts(cuts, key.cuts);
    }
    return true;
}

void CGroupCasesDlg::accept()
{
    CaseGrouping grouping;
    GroupKey key;
    Refusal refusal;
    const bool firstChosen = ReadKey(first_, key, refusal);
    if (firstChosen) grouping.keys.push_back(key);
    key = GroupKey{};
    if (!refusal && ReadKey(second_, key, refusal)) {
        const bool fileGroups = data_.fileGrouping ? data_.fileGrouping->hasGroupColumn : data_.hasGroupColumn;
        if (!firstChosen && fileGroups) grouping.keys.push_back(GroupKey{GroupKey::Kind::kFileGroups, {}, {}});
        grouping.keys.push_back(key);
    }
    if (refusal) {
        messages_.Show(this, DisplayText(*refusal));
        return;
    }
    grouping_ = std::move(grouping);
    QDialog::accept();
}

}  // namespace kalderon
