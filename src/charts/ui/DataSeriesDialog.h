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
    // Ids of the dialog and its controls.
    static constexpr int kDialog = 142;
    static constexpr int kGroupLabel = 1045;
    static constexpr int kGroup = 1051;
    static constexpr int kShowGroup = 1064;
    static constexpr int kPreview = 1047;
    static constexpr int kCurveLabel = 1056;
    static constexpr int kCurveStyle = 1048;
    static constexpr int kCurveColor = 1052;
    static constexpr int kShowCi = 1065;
    static constexpr int kCiStyle = 1049;
    static constexpr int kCiColor = 1053;
    static constexpr int kCensoredLabel = 1057;
    static constexpr int kMarkers = 1050;
    static constexpr int kShowNumbersAtRisk = 1090;

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
