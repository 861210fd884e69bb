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
    // Ids of the dialog and its controls.
    static constexpr int kDialog = 138;
    static constexpr int kText = 1032;
    static constexpr int kFont = 1033;
    static constexpr int kAlign = 1036;

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
