#include "charts/ui/DataSeriesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "charts/ChartDefaults.h"
#include "charts/ui/ChartDialogParts.h"
#include "charts/ui/LineStyleDialog.h"
#include "charts/ui/MarkerStyleDialog.h"
#include "charts/ui/StylePreviewWidgets.h"
#include "common/qt/DisplayText.h"
#include "common/ui/ControlName.h"

namespace kalderon {
namespace {

QLabel* NamedLabel(QWidget* parent, int id, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(ControlName(id));
    return label;
}

}  // namespace

DataSeriesDialog::DataSeriesDialog(LifeTableChart& chart, ChartProfile& profile, AppServices& services, QWidget* parent)
    : QDialog(parent), chart_(chart), profile_(profile), services_(services), styles_(chart.seriesStyles)
{
    setObjectName(ControlName(kDialog));
    setWindowTitle(QStringLiteral("Data series - line styles"));
    auto* grid = new QGridLayout;
    int row = 0;
    const int groups = chart.DrawableSeriesCount();
    group_ = new QComboBox(this);
    group_->setObjectName(ControlName(kGroup));
    showGroup_ = MakeCheckBox(this, kShowGroup, QStringLiteral("Sho&w this group"));
    QLabel* groupLabel = NamedLabel(this, kGroupLabel, QStringLiteral("&Group"));
    groupLabel->setBuddy(group_);
    grid->addWidget(groupLabel, row, 0);
    grid->addWidget(group_, row++, 1, 1, 2);
    grid->addWidget(showGroup_, row++, 0, 1, 3);
    if (groups > 1) {
        for (int i = 0; i < groups; ++i) {
            const CGroupInfo& info = chart.analysis.groupResults[i].info;
            group_->addItem(DisplayText(info.label.empty() ? info.code : info.code + ": " + info.label));
        }
        group_->setCurrentIndex(0);
    } else {
        for (QWidget* part : {static_cast<QWidget*>(groupLabel), static_cast<QWidget*>(group_),
                              static_cast<QWidget*>(showGroup_)})
            part->hide();
    }
    connect(group_, &QComboBox::currentIndexChanged, this, [this] {
        ShowCurrent();
        UpdateEnabling();
    });

    curveLabel_ = NamedLabel(this, kCurveLabel, QStringLiteral("survival curve"));
    curveStyle_ = MakeButton(this, kCurveStyle, QStringLiteral("&Style ..."));
    curveColor_ = MakeButton(this, kCurveColor, QStringLiteral("&Color ..."));
    showCi_ = MakeCheckBox(this, kShowCi, QStringLiteral("confidence &interval"));
    ciStyle_ = MakeButton(this, kCiStyle, QStringLiteral("S&tyle  ..."));
    ciColor_ = MakeButton(this, kCiColor, QStringLiteral("C&olor ..."));
    QLabel* censored = NamedLabel(this, kCensoredLabel, QStringLiteral("censored cases"));
    markers_ = MakeButton(this, kMarkers, QStringLiteral("&Markers ..."));
    auto* lines = new QGroupBox(this);
    auto* linesGrid = new QGridLayout(lines);
    linesGrid->addWidget(curveLabel_, 0, 0);
    linesGrid->addWidget(curveStyle_, 0, 1);
    linesGrid->addWidget(curveColor_, 0, 2);
    linesGrid->addWidget(showCi_, 1, 0);
    linesGrid->addWidget(ciStyle_, 1, 1);
    linesGrid->addWidget(ciColor_, 1, 2);
    linesGrid->addWidget(censored, 2, 0);
    linesGrid->addWidget(markers_, 2, 1);
    if (!chart.IsProductLimit()) censored->hide();
    preview_ = new SeriesPreview(chart.chartKind, this);
    preview_->setObjectName(ControlName(kPreview));
    preview_->setMinimumSize(180, 100);
    grid->addWidget(preview_, row++, 0, 1, 3);
    grid->addWidget(lines, row++, 0, 1, 3);
    showNumbersAtRisk_ = MakeCheckBox(this, kShowNumbersAtRisk, QStringLiteral("Show &numbers at risk"));
    showNumbersAtRisk_->setChecked(chart.showNumbersAtRisk);
    grid->addWidget(showNumbersAtRisk_, row++, 0, 1, 3);
    if (!chart.IsProductLimit()) showNumbersAtRisk_->hide();
    saveAsDefault_ = MakeSaveAsDefault(this);
    grid->addWidget(saveAsDefault_, row++, 0, 1, 3);
    grid->setRowStretch(row, 1);

    connect(showGroup_, &QCheckBox::clicked, this, [this](bool on) {
        Current().showSeries = on ? 1 : 0;
        ShowCurrent();
        UpdateEnabling();
    });
    connect(showCi_, &QCheckBox::clicked, this, [this](bool on) {
        Current().showCI = on ? 1 : 0;
        ShowCurrent();
        UpdateEnabling();
    });
    const auto lineStyle = [this](CLineStyle CSeriesStyle::*line) {
        LineStyleDialog(Current().*line, services_, this).exec();
        ShowCurrent();
    };
    const auto lineColor = [this](CLineStyle CSeriesStyle::*line) {
        ChooseChartColor(this, services_, (Current().*line).lineColor);
        ShowCurrent();
    };
    connect(curveStyle_, &QPushButton::clicked, this, [=] { lineStyle(&CSeriesStyle::survivalLine); });
    connect(ciStyle_, &QPushButton::clicked, this, [=] { lineStyle(&CSeriesStyle::ciLine); });
    connect(curveColor_, &QPushButton::clicked, this, [=] { lineColor(&CSeriesStyle::survivalLine); });
    connect(ciColor_, &QPushButton::clicked, this, [=] { lineColor(&CSeriesStyle::ciLine); });
    connect(markers_, &QPushButton::clicked, this, [this] {
        MarkerStyleDialog(Current().marker, services_, this).exec();
        ShowCurrent();
    });

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(AddDialogButtons(*this, services, QStringLiteral("chart_data_series_format")));
    ShowCurrent();
    UpdateEnabling();
}

CSeriesStyle& DataSeriesDialog::Current()
{
    static CSeriesStyle none;
    const int index = std::max(0, group_->currentIndex());
    return index < static_cast<int>(styles_.size()) ? styles_[index] : (none = CSeriesStyle{});
}

void DataSeriesDialog::ShowCurrent()
{
    const CSeriesStyle& style = Current();
    showGroup_->setChecked(style.showSeries != 0);
    showCi_->setChecked(style.showCI != 0);
    preview_->SetStyle(style);
}

void DataSeriesDialog::UpdateEnabling()
{
    const CSeriesStyle& style = Current();
    const bool curve = chart_.chartKind != kChartTrend;
    const bool shown = style.showSeries != 0;
    curveLabel_->setEnabled(curve);
    curveStyle_->setEnabled(curve && shown);
    curveColor_->setEnabled(curve && shown);
    showCi_->setEnabled(shown);
    markers_->setEnabled(shown);
    ciStyle_->setEnabled(shown && style.showCI);
    ciColor_->setEnabled(shown && style.showCI);
}

void DataSeriesDialog::accept()
{
    if (styles_ != chart_.seriesStyles) chart_.modifiedFlag = 1;
    chart_.seriesStyles = styles_;
    // Not part of the chart file: switching the table leaves the chart unmodified.
    chart_.showNumbersAtRisk = chart_.IsProductLimit() && showNumbersAtRisk_->isChecked();
    if (saveAsDefault_->isChecked()) {
        SaveAllSeriesDefaults(chart_, profile_);
        SaveNumbersAtRiskDefault(chart_, profile_);
    }
    QDialog::accept();
}

}  // namespace kalderon
