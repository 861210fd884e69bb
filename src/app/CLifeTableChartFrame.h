#pragma once

#include "app/CChildFrame.h"

namespace kalderon {

struct AppServices;
class CLifeTableChartView;

// A chart window: one chart in a CLifeTableChartView.  It asks before it
// closes with unsaved changes and runs the chart commands of the main frame.
class CLifeTableChartFrame : public CChildFrame {
    Q_OBJECT
public:
    CLifeTableChartFrame(AppServices& services, int resourceId, QWidget* parent = nullptr);

    CLifeTableChartView* view() const { return view_; }

    bool HandlesCommand(int id) const override;
    void RunCommand(int id) override;

    bool HasUnsavedContent() const override;
    bool SaveContent() override;

protected:
    bool QueryClose() override;

private:
    CLifeTableChartView* view_;
};

}  // namespace kalderon
