#include "charts/ui/ChartAxisDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "charts/AxisRangeInput.h"
#include "charts/ChartDefaults.h"
#include "charts/ui/ChartDialogParts.h"
#include "common/TextFormat.h"
#include "common/qt/DisplayText.h"
#include "common/ui/AppServices.h"
#include "common/ui/ControlName.h"
#include "common/ui/UiText.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

constexpr int kValueMissing = 910;
constexpr int kVerticalEscapement = 900;

QString Shown(double value) { return QString::fromStdString(FormatText("%g", value)); }

QLabel* BuddyLabel(QWidget* parent, const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

ChartAxisDialog::ChartAxisDialog(LifeTableChart& chart, CChartAxis& axis, ChartProfile& profile, AppServices& services,
                                 QWidget* parent)
    : QDialog(parent), chart_(chart), axis_(axis), profile_(profile), services_(services), copy_(axis)
{
    setObjectName(ControlName(kDialog));
    setWindowTitle(QStringLiteral("Edit Chart Axis"));
    label_ = MakeEdit(this, kLabel, DisplayText(axis.labelText));
    label_->setMinimumWidth(280);
    align_ = MakeAlignmentCombo(this, kAlign, axis.titleAlign);
    QPushButton* labelFont = MakeButton(this, kLabelFont, QStringLiteral("&Font ..."));
    min_ = MakeEdit(this, kMin, Shown(axis.minValue));
    max_ = MakeEdit(this, kMax, Shown(axis.maxValue));
    step_ = MakeEdit(this, kStep, Shown(axis.stepValue));
    QPushButton* numberFont = MakeButton(this, kNumberFont, QStringLiteral("F&ont ..."));
    saveAsDefault_ = MakeSaveAsDefault(this);
    connect(labelFont, &QPushButton::clicked, this,
            [this] { ChooseChartFont(this, services_, copy_.labelFont, copy_.labelColor); });
    connect(numberFont, &QPushButton::clicked, this,
            [this] { ChooseChartFont(this, services_, copy_.numberFont, copy_.numberColor); });

    auto* labelGroup = new QGroupBox(QStringLiteral("Label"), this);
    auto* labelGrid = new QGridLayout(labelGroup);
    labelGrid->addWidget(BuddyLabel(this, QStringLiteral("&Text:"), label_), 0, 0);
    labelGrid->addWidget(label_, 0, 1, 1, 2);
    labelGrid->addWidget(BuddyLabel(this, QStringLiteral("&Alignment:"), align_), 1, 0);
    labelGrid->addWidget(align_, 1, 1);
    labelGrid->addWidget(labelFont, 1, 2);

    auto* valueGroup = new QGroupBox(QStringLiteral("Values"), this);
    auto* valueGrid = new QGridLayout(valueGroup);
    valueGrid->addWidget(BuddyLabel(this, QStringLiteral("m&in:"), min_), 0, 0);
    valueGrid->addWidget(min_, 0, 1);
    valueGrid->addWidget(BuddyLabel(this, QStringLiteral("ma&x:"), max_), 0, 2);
    valueGrid->addWidget(max_, 0, 3);
    valueGrid->addWidget(BuddyLabel(this, QStringLiteral("&Step:"), step_), 1, 0);
    valueGrid->addWidget(step_, 1, 1);
    valueGrid->addWidget(numberFont, 1, 3);

    auto* column = new QVBoxLayout;
    column->addWidget(labelGroup);
    column->addWidget(valueGroup);
    column->addWidget(saveAsDefault_);
    column->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(column, 1);
    layout->addLayout(AddDialogButtons(*this, services, QStringLiteral("chart_axis_format")));
}

std::optional<double> ChartAxisDialog::FieldValue(QLineEdit* field)
{
    const AxisValueInput input = ParseAxisValue(field->text().toStdString());
    if (input.blank) {
        RefuseField(this, services_, field, UiString(kValueMissing));
        return std::nullopt;
    }
    if (!input.value) RefuseField(this, services_, field, QString::fromLatin1(text::kNotANumber));
    return input.value;
}

void ChartAxisDialog::accept()
{
    const std::optional<double> maxValue = FieldValue(max_);
    if (!maxValue) return;
    const std::optional<double> minValue = FieldValue(min_);
    if (!minValue) return;
    const std::optional<double> stepValue = FieldValue(step_);
    if (!stepValue) return;
    switch (CheckAxisRange(*minValue, *maxValue, *stepValue)) {
    case AxisRangeFault::kStepNotPositive:
        return RefuseField(this, services_, step_, QString::fromLatin1(text::kStepNotPositive));
    case AxisRangeFault::kMinNotBelowMax:
        return RefuseField(this, services_, min_, QString::fromLatin1(text::kMinNotBelowMax));
    case AxisRangeFault::kTooManyTicks:
        return RefuseField(this, services_, step_, QString::fromLatin1(text::kAxisRangeTooLarge));
    case AxisRangeFault::kNone: break;
    }

    CChartAxis edited = axis_;
    edited.labelText = EditedBytes(label_->text(), axis_.labelText);
    edited.titleAlign = ChosenAlignment(*align_, axis_.titleAlign);
    edited.labelFont = copy_.labelFont;
    edited.labelFont.logFont.lfEscapement = axis_.isVertical ? kVerticalEscapement : 0;
    edited.numberFont = copy_.numberFont;
    edited.labelColor = copy_.labelColor;
    edited.numberColor = copy_.numberColor;
    edited.minValue = *minValue;
    edited.maxValue = *maxValue;
    edited.stepValue = *stepValue;
    if (edited != axis_) chart_.modifiedFlag = 1;
    axis_ = std::move(edited);
    if (saveAsDefault_->isChecked()) SaveAxisDefaults(axis_, profile_);
    QDialog::accept();
}

}  // namespace kalderon
