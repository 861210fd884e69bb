#include "charts/ChartPageFit.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "charts/Canvas.h"
#include "charts/ChartRenderer.h"
#include "charts/LifeTableChart.h"

namespace kalderon {
namespace {

// A canvas that draws nothing and finds how far the texts of a drawing
// reach to the left and to the right; the texts are measured on another
// canvas.
class TextReachCanvas : public Canvas {
public:
    explicit TextReachCanvas(Canvas& measuring) : measuring_(measuring) {}

    int left() const { return left_; }
    int right() const { return right_; }

    void SetMapping(int, int) override {}
    void Save() override { saved_.push_back(State{escapement_, align_}); }
    void Restore() override
    {
        if (saved_.empty()) return;
        escapement_ = saved_.back().escapement;
        align_ = saved_.back().align;
        saved_.pop_back();
    }
    void SelectFont(const LogFont& font) override
    {
        measuring_.SelectFont(font);
        escapement_ = font.lfEscapement;
    }
    ChartSize TextExtent(const std::string& text) override { return measuring_.TextExtent(text); }
    void SetTextColor(ColorRef) override {}
    void SetTextAlign(int flags) override { align_ = flags; }
    void TextOut(int x, int y, const std::string& text) override
    {
        if (text.empty()) return;
        const ChartSize size = measuring_.TextExtent(text);
        if (escapement_ != 0) {  // runs upward: across, it is as wide as it is high
            Reach(x, x + size.height);
            return;
        }
        const int horizontal = align_ & kAlignCenter;
        const int from = horizontal == kAlignCenter ? x - size.width / 2 : horizontal == kAlignRight ? x - size.width : x;
        Reach(from, from + size.width);
    }
    void SelectPen(int, ColorRef) override {}
    void SelectBrush(ColorRef) override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void Ellipse(const ChartRect&) override {}
    void Rectangle(const ChartRect&) override {}
    void Polygon(std::span<const ChartPoint>) override {}
    void SetClip(const ChartRect&) override {}

    void Reach(int from, int to)
    {
        left_ = std::min(left_, from);
        right_ = std::max(right_, to);
    }

private:
    struct State {
        int escapement;
        int align;
    };
    Canvas& measuring_;
    std::vector<State> saved_;
    int escapement_ = 0;
    int align_ = 0;
    int left_ = INT_MAX;
    int right_ = INT_MIN;
};

// The largest area of the window's proportions on the page.
ChartSize WindowProportions(int pageWidth, int pageHeight, int windowWidth, int windowHeight)
{
    if (windowWidth <= 0 || windowHeight <= 0) return {pageWidth, pageHeight};
    if (static_cast<long long>(pageWidth) * windowHeight <= static_cast<long long>(pageHeight) * windowWidth)
        return {pageWidth, static_cast<int>(static_cast<long long>(pageWidth) * windowHeight / windowWidth)};
    return {static_cast<int>(static_cast<long long>(pageHeight) * windowWidth / windowHeight), pageHeight};
}

}  // namespace

ChartRect FitChartToPage(LifeTableChart& chart, Canvas& measuring, int pageWidth, int pageHeight, int windowWidth,
                         int windowHeight)
{
    ChartSize size = WindowProportions(pageWidth, pageHeight, windowWidth, windowHeight);
    // The fonts follow the height and the texts the fonts, so each trial
    // lowers the drawing by the share the texts reach too far; rounding of
    // the font sizes may take another trial.
    for (int trial = 0; trial < 8 && size.height > 1; ++trial) {
        TextReachCanvas reach(measuring);
        DrawChart(chart, reach, PrintSurface(size.width, size.height, windowHeight));
        if (chart.legend.showLegend) reach.Reach(chart.legend.areaRect.left, chart.legend.areaRect.right);
        // Texts centred on an edge may pass it by the unit their halving
        // rounds off; that much is no reason to shrink the chart.
        const int slack = 2 + size.width / 1000;
        if (reach.left() >= -slack && reach.right() <= size.width + slack) break;
        const int from = std::min(reach.left(), 0);
        const int to = std::max(reach.right(), size.width);
        const long long lowered = static_cast<long long>(size.height) * size.width / (to - from);
        size.height = std::max(1, static_cast<int>(std::min<long long>(lowered, size.height - 1)));
    }
    const int left = (pageWidth - size.width) / 2;
    const int top = (pageHeight - size.height) / 2;
    return {left, top, left + size.width, top + size.height};
}

}  // namespace kalderon
