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
