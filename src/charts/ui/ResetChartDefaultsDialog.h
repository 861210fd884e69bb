#pragma once

#include <QDialog>

class QCheckBox;

namespace kalderon {

struct AppServices;
class ChartProfile;

// Chooses the chart kinds whose stored defaults OK deletes; all boxes start
// unchecked.
class ResetChartDefaultsDialog : public QDialog {
    Q_OBJECT
public:
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
