#pragma once

#include <QDialog>

#include "charts/LifeTableChart.h"
#include "charts/ui/GroupLabelsDialog.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kalderon {

struct AppServices;

// The legend: shown or not, position, font and colour, the label of the
// confidence intervals and the labels of the groups.
class LegendDialog : public QDialog {
    Q_OBJECT
public:
    LegendDialog(LifeTableChart& chart, ChartProfile& profile, AppServices& services, QWidget* parent = nullptr);

    void accept() override;

private:
    void UpdateEnabling();

    LifeTableChart& chart_;
    ChartProfile& profile_;
    std::vector<GroupLabel> labels_;
    ScaledFont font_;
    ColorRef color_;
    QCheckBox* show_;
    QPushButton* groupLabels_;
    QPushButton* fontButton_;
    QRadioButton* positions_[3];
    QLineEdit* ciLabel_;
    QCheckBox* saveAsDefault_;
};

}  // namespace kalderon
