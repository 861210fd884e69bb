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
    // Ids of the dialog and its controls.
    static constexpr int kDialog = 141;
    static constexpr int kShow = 1044;
    static constexpr int kGroupLabels = 1066;
    static constexpr int kFont = 1033;
    static constexpr int kPositionLowerLeft = 1039;
    static constexpr int kPositionUpperRight = 1006;
    static constexpr int kPositionBottom = 1005;
    static constexpr int kCiPrefix = 1038;
    static constexpr int kCiLabel = 1040;

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
