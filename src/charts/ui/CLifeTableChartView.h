#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "charts/ChartTypes.h"
#include "charts/LifeTableChart.h"

class QPrinter;

namespace kalderon {

struct AppServices;

// The view of a chart window: it owns the chart, draws it over its whole
// client area, marks the element under the last single click with a dotted
// focus frame and runs the chart's commands (options, save, export, print,
// copy).
class CLifeTableChartView : public QWidget {
    Q_OBJECT
public:
    explicit CLifeTableChartView(AppServices& services, QWidget* parent = nullptr);

    LifeTableChart& chart() { return chart_; }
    const LifeTableChart& chart() const { return chart_; }

    // A new chart of a finished analysis with the user's defaults of its kind.
    void InitFromAnalysis(const CAnalysisData& analysis, std::int32_t kind, int n);
    // A chart read from a file; whether it shows the numbers at risk comes
    // from the user's defaults of its kind.
    void SetChart(LifeTableChart chart);

    // The commands of the chart window's menu the view runs.
    static bool HandlesCommand(int id);
    void OnCommand(int id);

    bool SaveChart();
    bool SaveChartAs();
    void ExportChart();
    void PrintChart();
    void PrintPreview();
    void CopyChart();
    // Draws the chart on one page of the printer, in the proportions of the
    // window and with every text inside the page; false when it cannot print.
    bool Print(QPrinter& printer);

    // Whether the window may close: asks about unsaved changes.
    bool QuerySaveOnClose();

    // The focus frame shown now, if any.
    std::optional<ChartRect> focusFrame() const { return focusFrame_; }

signals:
    // The chart was saved under a new path: the window's title from now on
    // names the file, beside the analysis for a chart an analysis made
    // (SavedFileTitle).
    void titleChanged(const QString& title);
    // An option command (title, axes, legend, data series) is to run.
    void optionCommand(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ShowFocusFrame(ChartRect frame);
    void RemoveFocusFrame();
    void RunOptionCommand(int id);
    // The remembered page setup or, before any, the orientation of the window.
    void PreparePrinter(QPrinter& printer) const;
    bool WriteChart(const std::string& path);
    void ShowCannotWrite(const QString& path);
    // Runs a drawing command; one that runs out of memory ends in the
    // message, and the window goes on.
    void DrawingCommand(const std::function<void()>& command);
    void ShowNotEnoughMemory();
    void UpdateAccessibleTexts();

    AppServices& services_;
    LifeTableChart chart_;
    std::optional<ChartRect> focusFrame_;
    bool drawingFailed_ = false;  // the window shows white, and said why once
    std::optional<ChartRect> previousFrame_;
    QString analysisTitle_;  // the title an analysis gave the window, kept once the chart is saved
};

}  // namespace kalderon
