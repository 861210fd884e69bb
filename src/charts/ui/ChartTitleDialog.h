#pragma once

#include <QDialog>

#include "charts/LifeTableChart.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kalderon {

struct AppServices;

// The chart title: text, font and colour, alignment; OK takes them over
// into the chart and, with "Save as default", into the profile.
class ChartTitleDialog : public QDialog {
    Q_OBJECT
public:
    ChartTitleDialog(LifeTableChart& chart, ChartProfile& profile, AppServices& services, QWidget* parent = nullptr);

    void accept() override;

private:
    LifeTableChart& chart_;
    ChartProfile& profile_;
    ScaledFont font_;
    ColorRef color_;
    QLineEdit* text_;
    QComboBox* align_;
    QCheckBox* saveAsDefault_;
};

}  // namespace kalderon
