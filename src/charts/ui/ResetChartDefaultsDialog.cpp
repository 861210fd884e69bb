#include "charts/ui/ResetChartDefaultsDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "charts/ChartDefaults.h"
#include "charts/ui/ChartDialogParts.h"
#include "common/ui/ControlName.h"
#include "common/ui/ResourceIds.h"

namespace kalderon {

ResetChartDefaultsDialog::ResetChartDefaultsDialog(ChartProfile& profile, AppServices& services, QWidget* parent)
    : QDialog(parent), profile_(profile)
{
    setObjectName(ControlName(kDialog));
    setWindowTitle(QStringLiteral("Reset chart settings to original values"));
    auto* text = new QLabel(
        QStringLiteral("All default format settings for the following chart types will be set to the original values:"),
        this);
    text->setWordWrap(true);
    text->setMinimumWidth(300);
    lifeTable_ = MakeCheckBox(this, kLifeTableCharts, QStringLiteral("&Cutler-Ederer Lifetable charts"));
    productLimit_ = MakeCheckBox(this, kProductLimitCharts, QStringLiteral("&Kaplan-Meier charts"));
    periodAnalysis_ = MakeCheckBox(this, kPeriodAnalysisCharts, QStringLiteral("&Period Analysis charts"));
    trend_ = MakeCheckBox(this, kTrendCharts, QStringLiteral("&Trend in n-year survival charts"));

    auto* column = new QVBoxLayout;
    column->addWidget(text);
    for (QCheckBox* box : {lifeTable_, productLimit_, periodAnalysis_, trend_}) column->addWidget(box);
    column->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(column, 1);
    layout->addLayout(AddDialogButtons(*this, services, QStringLiteral("resetting_default_options")));

    // OK resets something or is not offered.
    auto* ok = findChild<QPushButton*>(ControlName(button::kOk));
    const auto enableOk = [this, ok] {
        ok->setEnabled(lifeTable_->isChecked() || productLimit_->isChecked() || periodAnalysis_->isChecked() ||
                       trend_->isChecked());
    };
    for (QCheckBox* box : {lifeTable_, productLimit_, periodAnalysis_, trend_})
        connect(box, &QCheckBox::toggled, this, enableOk);
    enableOk();
}

void ResetChartDefaultsDialog::accept()
{
    ResetChartDefaults(profile_, {.lifeTable = lifeTable_->isChecked(),
                                  .productLimit = productLimit_->isChecked(),
                                  .periodAnalysis = periodAnalysis_->isChecked(),
                                  .trend = trend_->isChecked()});
    QDialog::accept();
}

}  // namespace kalderon
