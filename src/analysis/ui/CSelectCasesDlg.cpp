#include "analysis/ui/CSelectCasesDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "common/TextFormat.h"
#include "common/qt/DisplayText.h"
#include "common/ui/ControlName.h"
#include "common/ui/DialogButtons.h"
#include "common/ui/HelpKey.h"
#include "common/ui/Messages.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

template <typename Widget>
Widget* Named(Widget* widget, int id)
{
    widget->setObjectName(ControlName(id));
    return widget;
}

}  // namespace

CSelectCasesDlg::CSelectCasesDlg(const DataSet& data, std::vector<CaseCondition> conditions, Messages& messages,
                                 QWidget* parent)
    : QDialog(parent),
      data_(data),
      conditions_(std::move(conditions)),
      messages_(messages),
      fieldNames_(CaseFieldNames(data)),
      conditionList_(Named(new QListWidget(this), kConditionList)),
      field_(Named(new QComboBox(this), kField)),
      choice_(new QStackedWidget(this)),
      values_(Named(new QListWidget(this), kValues)),
      noneOf_(Named(new QCheckBox(QString::fromUtf8(text::kNoneOfCheckedValues), this), kNoneOf)),
      from_(Named(new QLineEdit(this), kFrom)),
      to_(Named(new QLineEdit(this), kTo)),
      range_(Named(new QLabel(this), kRange))
{
    setObjectName(ControlName(kDialog));
    setWindowTitle(QString::fromUtf8(text::kSelectCasesTitle));
    SetHelpTopic(this, QString::fromUtf8(text::kSelectingCasesTopic));

    for (const std::string& name : fieldNames_) field_->addItem(DisplayText(name));
    auto* valuePage = new QWidget(this);
    auto* valueLayout = new QVBoxLayout(valuePage);
    valueLayout->setContentsMargins(0, 0, 0, 0);
    valueLayout->addWidget(values_);
    valueLayout->addWidget(noneOf_);
    auto* rangePage = new QWidget(this);
    auto* rangeLayout = new QFormLayout(rangePage);
    rangeLayout->setContentsMargins(0, 0, 0, 0);
    rangeLayout->addRow(range_);
    rangeLayout->addRow(QStringLiteral("&From:"), from_);
    rangeLayout->addRow(QStringLiteral("&To:"), to_);
    choice_->addWidget(valuePage);
    choice_->addWidget(rangePage);

    auto* add = Named(new QPushButton(QStringLiteral("&Add"), this), kAdd);
    auto* remove = Named(new QPushButton(QStringLiteral("&Remove"), this), kRemove);
    auto* fieldRow = new QHBoxLayout;
    auto* fieldLabel = new QLabel(QStringLiteral("F&ield:"), this);
    fieldLabel->setBuddy(field_);
    fieldRow->addWidget(fieldLabel);
    fieldRow->addWidget(field_, 1);
    auto* conditionRow = new QHBoxLayout;
    conditionRow->addWidget(conditionList_, 1);
    conditionRow->addWidget(remove, 0, Qt::AlignTop);

    auto* content = new QVBoxLayout;
    content->addWidget(new QLabel(QString::fromUtf8(text::kSelectCasesPrompt), this));
    content->addLayout(conditionRow);
    content->addLayout(fieldRow);
    content->addWidget(choice_, 1);
    content->addWidget(add, 0, Qt::AlignRight);

    QDialogButtonBox* buttons = OkCancelHelpButtons(this);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &CSelectCasesDlg::HelpRequested);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(content, 1);
    layout->addWidget(buttons);

    connect(field_, &QComboBox::currentIndexChanged, this, &CSelectCasesDlg::ShowField);
    connect(add, &QPushButton::clicked, this, &CSelectCasesDlg::AddCondition);
    connect(remove, &QPushButton::clicked, this, &CSelectCasesDlg::RemoveCondition);
    ListConditions();
    ShowField();
    resize(sizeHint().expandedTo(QSize(420, 460)));
}

void CSelectCasesDlg::ShowField()
{
    values_->clear();
    from_->clear();
    to_->clear();
    noneOf_->setChecked(false);
    CaseField field;
    if (!FindField(field)) return;
    summary_ = SummariseField(data_, field);
    choice_->setCurrentIndex(summary_.isRange ? 1 : 0);
    range_->setText(DisplayText(FormatText(text::kFieldRange, summary_.lowest, summary_.highest)));
    from_->setPlaceholderText(DisplayText(summary_.lowest));
    to_->setPlaceholderText(DisplayText(summary_.highest));
    for (const FieldValueCount& value : summary_.values) {
        auto* item = new QListWidgetItem(DisplayText(value.entry), values_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

bool CSelectCasesDlg::FindField(CaseField& field) const
{
    const int index = field_->currentIndex();
    return index >= 0 &&
           !FindCaseField(data_.columns, data_.hasBirthColumn, fieldNames_[static_cast<size_t>(index)], field);
}

void CSelectCasesDlg::AddCondition()
{
    CaseCondition condition;
    if (!FindField(condition.field)) return;
    if (summary_.isRange) {
        if (const Refusal refusal =
                ReadRange(from_->text().trimmed().toStdString(), to_->text().trimmed().toStdString(), condition)) {
            messages_.Show(this, DisplayText(*refusal));
            return;
        }
    } else {
        condition.test = noneOf_->isChecked() ? CaseCondition::Test::kNoneOf : CaseCondition::Test::kOneOf;
        for (int row = 0; row < values_->count(); ++row)
            if (values_->item(row)->checkState() == Qt::Checked)
                condition.values.push_back(summary_.values[static_cast<size_t>(row)].value);
        if (condition.values.empty()) {
            messages_.Show(this, QString::fromUtf8(text::kNoValueChecked));
            return;
        }
    }
    conditions_.push_back(std::move(condition));
    ListConditions();
    ShowField();
}

void CSelectCasesDlg::RemoveCondition()
{
    const int row = conditionList_->currentRow();
    if (row < 0 || row >= static_cast<int>(conditions_.size())) return;
    conditions_.erase(conditions_.begin() + row);
    ListConditions();
}

void CSelectCasesDlg::ListConditions()
{
    conditionList_->clear();
    for (const CaseCondition& condition : conditions_) conditionList_->addItem(DisplayText(condition.Text()));
    if (!conditions_.empty()) conditionList_->setCurrentRow(static_cast<int>(conditions_.size()) - 1);
}

}  // namespace kalderon
