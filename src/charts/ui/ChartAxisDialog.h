#pragma once

#include <QDialog>

#include "charts/LifeTableChart.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kalderon {

struct AppServices;

// One axis of the chart: label text, alignment, font and colour; range and
// step with the font and colour of the numbers.  OK refuses a missing value,
// a value that is not a number and a range that cannot be drawn.
class ChartAxisDialog : public QDialog {
    Q_OBJECT
public:
    // Ids of the dialog and its controls.
    static constexpr int kDialog = 139;
    static constexpr int kLabel = 1032;  // the axis title
    static constexpr int kLabelFont = 1033;
    static constexpr int kAlign = 1036;
    static constexpr int kMin = 1035;
    static constexpr int kMax = 1039;
    static constexpr int kStep = 1037;
    static constexpr int kNumberFont = 1038;

    ChartAxisDialog(LifeTableChart& chart, CChartAxis& axis, ChartProfile& profile, AppServices& services,
                    QWidget* parent = nullptr);

    void accept() override;

private:
    // The value of a field, or nullopt after the field was refused.
    std::optional<double> FieldValue(QLineEdit* field);

    LifeTableChart& chart_;
    CChartAxis& axis_;
    ChartProfile& profile_;
    AppServices& services_;
    CChartAxis copy_;
    QLineEdit* label_;
    QComboBox* align_;
    QLineEdit* min_;
    QLineEdit* max_;
    QLineEdit* step_;
    QCheckBox* saveAsDefault_;
};

}  // namespace kalderon
