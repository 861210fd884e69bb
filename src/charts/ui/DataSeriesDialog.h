#pragma once

#include <QDialog>

#include "charts/LifeTableChart.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace kalderon {

struct AppServices;
class SeriesPreview;

// The styles of the data series, one group at a time: shown or not, the
// survival curve, the confidence intervals and the markers of censored
// cases, with a preview; for product-limit charts also whether the numbers
// at risk are shown under the time axis.
class DataSeriesDialog : public QDialog {
    Q_OBJECT
public:
    DataSeriesDialog(LifeTableChart& chart, ChartProfile& profile, AppServices& services, QWidget* parent = nullptr);

    void accept() override;

private:
    CSeriesStyle& Current();
    void ShowCurrent();
    void UpdateEnabling();

    LifeTableChart& chart_;
    ChartProfile& profile_;
    AppServices& services_;
    std::vector<CSeriesStyle> styles_;
    QComboBox* group_;
    QCheckBox* showGroup_;
    SeriesPreview* preview_;
    QLabel* curveLabel_;
    QPushButton* curveStyle_;
    QPushButton* curveColor_;
    QCheckBox* showCi_;
    QPushButton* ciStyle_;
    QPushButton* ciColor_;
    QPushButton* markers_;
    QCheckBox* showNumbersAtRisk_;
    QCheckBox* saveAsDefault_;
};

}  // namespace kalderon
