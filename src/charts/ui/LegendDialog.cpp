#include "charts/ui/LegendDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "charts/ChartDefaults.h"
#include "charts/ui/ChartDialogParts.h"
#include "common/qt/DisplayText.h"
#include "common/ui/ControlName.h"

namespace kalderon {

LegendDialog::LegendDialog(LifeTableChart& chart, ChartProfile& profile, AppServices& services, QWidget* parent)
    : QDialog(parent), chart_(chart), profile_(profile), font_(chart.legend.legendFont), color_(chart.legend.legendColor)
{
    setObjectName(ControlName(kDialog));
    setWindowTitle(QStringLiteral("Edit Legend"));
    for (const CGroupResult& group : chart.analysis.groupResults) labels_.emplace_back(group.info.code, group.info.label);

    show_ = MakeCheckBox(this, kShow, QStringLiteral("&Show legend"));
    show_->setChecked(chart.legend.showLegend != 0);
    groupLabels_ = MakeButton(this, kGroupLabels, QStringLiteral("&Group labels ..."));
    fontButton_ = MakeButton(this, kFont, QStringLiteral("&Font ..."));
    auto* positionGroup = new QGroupBox(QStringLiteral("Legend position"), this);
    auto* positionLayout = new QVBoxLayout(positionGroup);
    const QString positionTexts[] = {QStringLiteral("inside chart - lower &left corner"),
                                     QStringLiteral("inside chart - &upper right corner"),
                                     QStringLiteral("outside chart - &bottom")};
    const int positionIds[] = {kPositionLowerLeft, kPositionUpperRight, kPositionBottom};
    for (int i = 0; i < 3; ++i) {
        positions_[i] = new QRadioButton(positionTexts[i], positionGroup);
        positions_[i]->setObjectName(ControlName(positionIds[i]));
        positions_[i]->setChecked(chart.legend.legendPosition == i);
        positionLayout->addWidget(positions_[i]);
    }
    auto* ciPrefix = MakeEdit(this, kCiPrefix, DisplayText(chart.legend.ciPrefix));
    ciPrefix->setReadOnly(true);
    ciPrefix->setFocusPolicy(Qt::NoFocus);
    ciPrefix->setMaximumWidth(48);
    ciLabel_ = MakeEdit(this, kCiLabel, DisplayText(chart.legend.ciLabel));
    saveAsDefault_ = MakeSaveAsDefault(this);

    connect(show_, &QCheckBox::clicked, this, &LegendDialog::UpdateEnabling);
    connect(fontButton_, &QPushButton::clicked, this, [this, &services] { ChooseChartFont(this, services, font_, color_); });
    connect(groupLabels_, &QPushButton::clicked, this, [this, &services] {
        std::vector<GroupLabel> edited = labels_;
        GroupLabelsDialog dialog(edited, services, this);
        if (dialog.exec() == QDialog::Accepted) labels_ = std::move(edited);
    });

    auto* grid = new QGridLayout;
    grid->addWidget(show_, 0, 0);
    grid->addWidget(groupLabels_, 0, 1);
    grid->addWidget(fontButton_, 1, 1);
    grid->addWidget(positionGroup, 2, 0, 1, 2);
    auto* ciRow = new QHBoxLayout;
    auto* ciCaption = new QLabel(QStringLiteral("&CI label:"), this);
    ciCaption->setBuddy(ciLabel_);
    ciRow->addWidget(ciCaption);
    ciRow->addWidget(ciPrefix);
    ciRow->addWidget(ciLabel_, 1);
    grid->addLayout(ciRow, 3, 0, 1, 2);
    grid->addWidget(saveAsDefault_, 4, 0, 1, 2);
    grid->setRowStretch(5, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(AddDialogButtons(*this, services, QStringLiteral("chart_legend_format")));
    UpdateEnabling();
}

void LegendDialog::UpdateEnabling()
{
    const bool shown = show_->isChecked();
    for (QRadioButton* position : positions_) position->setEnabled(shown);
    ciLabel_->setEnabled(shown);
    fontButton_->setEnabled(shown);
    groupLabels_->setEnabled(shown && chart_.seriesCount > 1);
}

void LegendDialog::accept()
{
    CChartLegend& legend = chart_.legend;
    int position = legend.legendPosition;
    for (int i = 0; i < 3; ++i)
        if (positions_[i]->isChecked()) position = i;
    const std::string ciLabel = EditedBytes(ciLabel_->text(), legend.ciLabel);
    const std::int32_t show = show_->isChecked() ? 1 : 0;

    bool changed = ciLabel != legend.ciLabel || position != legend.legendPosition ||
                   !(font_.logFont == legend.legendFont.logFont) || color_ != legend.legendColor ||
                   show != legend.showLegend;
    std::vector<CGroupResult>& groups = chart_.analysis.groupResults;
    for (size_t i = 0; i < groups.size(); ++i) {
        if (groups[i].info.label != labels_[i].second) changed = true;
        groups[i].info.label = labels_[i].second;
    }
    if (changed) chart_.modifiedFlag = 1;
    legend.ciLabel = ciLabel;
    legend.legendPosition = position;
    legend.legendFont = font_;
    legend.legendColor = color_;
    legend.showLegend = show;
    if (saveAsDefault_->isChecked()) SaveLegendDefaults(legend, profile_);
    QDialog::accept();
}

}  // namespace kalderon
