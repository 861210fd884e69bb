#pragma once

#include <QDialog>

class QCheckBox;

namespace kalderon {

struct AppServices;
class ChartProfile;

// Chooses the chart kinds whose stored defaults OK deletes; all boxes start
// unchecked, and OK is enabled while one is checked.
class ResetChartDefaultsDialog : public QDialog {
    Q_OBJECT
public:
    // Ids of the dialog and its controls.
    static constexpr int kDialog = 140;
    static constexpr int kLifeTableCharts = 1037;
    static constexpr int kProductLimitCharts = 1038;
    static constexpr int kPeriodAnalysisCharts = 1039;
    static constexpr int kTrendCharts = 1040;

    ResetChartDefaultsDialog(ChartProfile& profile, AppServices& services, QWidget* parent = nullptr);

    void accept() override;

private:
    ChartProfile& profile_;
    QCheckBox* lifeTable_;
    QCheckBox* productLimit_;
    QCheckBox* periodAnalysis_;
    QCheckBox* trend_;
};

}  // namespace kalderon
