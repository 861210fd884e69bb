#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <vector>

#include "charts/Canvas.h"

class QPainter;

namespace kalderon {

// The chart canvas on a QPainter: a window, a QImage, a printer or an SVG
// generator.  Lines and rectangles are drawn pixel-exact without smoothing;
// text, ellipses and triangles are smoothed.
class QtCanvas : public Canvas {
public:
    explicit QtCanvas(QPainter& painter);

    void SetMapping(int width, int height) override;
    void Save() override;
    void Restore() override;

    void SelectFont(const LogFont& font) override;
    ChartSize TextExtent(const std::string& text) override;
    void SetTextColor(ColorRef color) override;
    void SetTextAlign(int flags) override;
    void TextOut(int x, int y, const std::string& text) override;

    void SelectPen(int penStyle, ColorRef color) override;
    void SelectBrush(ColorRef color) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(const ChartRect& box) override;
    void Rectangle(const ChartRect& box) override;
    void Polygon(std::span<const ChartPoint> points) override;

    void SetClip(const ChartRect& area) override;

private:
    struct State {
        QFont font;
        int escapement = 0;
        QColor textColor;
        int align = 0;
    };

    QPainter& painter_;
    State state_;
    std::vector<State> saved_;
    QPoint position_;
};

// A QFont for a font record: a negative lfHeight is the character height in
// pixels, a positive one the cell height (character height plus leading).
QFont FontFromLogFont(const LogFont& font);

QColor ColorFromRef(ColorRef color);

}  // namespace kalderon
