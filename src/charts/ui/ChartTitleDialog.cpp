#include "charts/ui/ChartTitleDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "charts/ChartDefaults.h"
#include "charts/ui/ChartDialogParts.h"
#include "common/qt/DisplayText.h"
#include "common/ui/ControlName.h"

namespace kalderon {

ChartTitleDialog::ChartTitleDialog(LifeTableChart& chart, ChartProfile& profile, AppServices& services, QWidget* parent)
    : QDialog(parent), chart_(chart), profile_(profile), font_(chart.titleFont), color_(chart.titleColor)
{
    setObjectName(ControlName(kDialog));
    setWindowTitle(QStringLiteral("Edit Chart Title"));
    text_ = MakeEdit(this, kText, DisplayText(chart.titleText));
    text_->setMinimumWidth(300);
    align_ = MakeAlignmentCombo(this, kAlign, chart.titleAlign);
    QPushButton* font = MakeButton(this, kFont, QStringLiteral("&Font ..."));
    saveAsDefault_ = MakeSaveAsDefault(this);
    connect(font, &QPushButton::clicked, this, [this, &services] { ChooseChartFont(this, services, font_, color_); });

    auto* grid = new QGridLayout;
    auto* textLabel = new QLabel(QStringLiteral("&Title:"), this);
    textLabel->setBuddy(text_);
    grid->addWidget(textLabel, 0, 0);
    grid->addWidget(text_, 0, 1, 1, 2);
    auto* alignLabel = new QLabel(QStringLiteral("&Alignment:"), this);
    alignLabel->setBuddy(align_);
    grid->addWidget(alignLabel, 1, 0);
    grid->addWidget(align_, 1, 1);
    grid->addWidget(font, 1, 2);
    grid->addWidget(saveAsDefault_, 2, 0, 1, 3);
    grid->setRowStretch(3, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(AddDialogButtons(*this, services, QStringLiteral("chart_title_format")));
}

void ChartTitleDialog::accept()
{
    const std::string text = EditedBytes(text_->text(), chart_.titleText);
    const int align = ChosenAlignment(*align_, chart_.titleAlign);
    if (text != chart_.titleText || !(font_.logFont == chart_.titleFont.logFont) || color_ != chart_.titleColor ||
        align != chart_.titleAlign) {
        chart_.modifiedFlag = 1;
    }
    chart_.titleText = text;
    chart_.titleFont = font_;
    chart_.titleColor = color_;
    chart_.titleAlign = align;
    if (saveAsDefault_->isChecked()) SaveTitleDefaults(chart_, profile_);
    QDialog::accept();
}

}  // namespace kalderon
