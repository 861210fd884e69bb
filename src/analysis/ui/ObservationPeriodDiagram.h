#pragma once

#include <QBasicTimer>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "stats/AnalysisData.h"
#include "stats/CaseRecord.h"

namespace kalderon {

// The control at the top of the parameter dialogs: the observation window
// as a time axis with yearly ticks and its two end dates, one line per case
// (or an even sample of the cases when they do not fit), and in period
// analysis and trend the period of interest as a yellow band.  In the trend
// mode the band moves one time unit further every second, writing the
// period into the record, and starts over at the window begin.
class ObservationPeriodDiagram : public QWidget {
    Q_OBJECT
public:
    static constexpr int kControlId = 1020;  // its id in the parameter dialogs

    // `mode` is the AnalysisKind of the dialog.  Without a record only the
    // axis is drawn, without cases no case lines.
    ObservationPeriodDiagram(CAnalysisData* data, const std::vector<CCaseRecord>* cases, std::int32_t mode,
                             QWidget* parent = nullptr);
    ~ObservationPeriodDiagram() override;

    // Draws only the cases a selection takes (CaseList::selected, kept by
    // the caller).
    void FollowSelection(const std::vector<std::uint8_t>* selected) { selected_ = selected; }

    bool animating() const { return animation_.isActive(); }
    void StopAnimation();
    // One second of the trend mode.
    void StepAnimation();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    CAnalysisData* data_;
    const std::vector<CCaseRecord>* cases_;
    const std::vector<std::uint8_t>* selected_ = nullptr;
    std::int32_t mode_;
    QBasicTimer animation_;
    bool animationStarted_ = false;
};

}  // namespace kalderon
