#include "charts/qt/QtCanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "common/qt/DisplayText.h"

namespace kalderon {
namespace {

constexpr int kDefaultPixelSize = 16;  // a font record of height 0

// Dash patterns of one-unit pens, in pixels: dash, gap, ...
QList<qreal> DashPattern(int penStyle)
{
    switch (penStyle) {
    case kPenDash: return {18, 6};
    case kPenDot: return {3, 3};
    case kPenDashDot: return {9, 6, 3, 6};
    case kPenDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

}  // namespace

QColor ColorFromRef(ColorRef color)
{
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

QFont FontFromLogFont(const LogFont& font)
{
    // Glyphs taller than any page are not drawn better, only ever slower.
    static constexpr double kTallestPixelSize = 4096;
    const auto pixelSize = [](double size) { return static_cast<int>(std::lround(std::clamp(size, 1.0, kTallestPixelSize))); };
    QFont qfont(DisplayText(font.FaceName()));
    if (font.lfHeight < 0) {
        qfont.setPixelSize(pixelSize(-static_cast<double>(font.lfHeight)));
    } else if (font.lfHeight > 0) {
        QFont probe = qfont;
        probe.setPixelSize(100);
        const double cell = QFontMetricsF(probe).height();
        qfont.setPixelSize(pixelSize(font.lfHeight * 100.0 / cell));
    } else {
        qfont.setPixelSize(kDefaultPixelSize);
    }
    qfont.setWeight(font.lfWeight <= 0 ? QFont::Normal : static_cast<QFont::Weight>(std::clamp(font.lfWeight, 1, 1000)));
    qfont.setItalic(font.lfItalic != 0);
    qfont.setUnderline(font.lfUnderline != 0);
    qfont.setStrikeOut(font.lfStrikeOut != 0);
    return qfont;
}

QtCanvas::QtCanvas(QPainter& painter) : painter_(painter)
{
    state_.textColor = Qt::black;
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    SelectPen(kPenSolid, 0);
    SelectBrush(Rgb(255, 255, 255));
}

void QtCanvas::SetMapping(int width, int height)
{
    painter_.setWindow(0, 0, width, height);
    painter_.setViewport(0, 0, width, height);
}

void QtCanvas::Save()
{
    painter_.save();
    saved_.push_back(state_);
}

void QtCanvas::Restore()
{
    if (saved_.empty()) return;
    painter_.restore();
    state_ = saved_.back();
    saved_.pop_back();
}

void QtCanvas::SelectFont(const LogFont& font)
{
    state_.font = FontFromLogFont(font);
    state_.escapement = font.lfEscapement;
}

ChartSize QtCanvas::TextExtent(const std::string& text)
{
    const QFontMetrics metrics(state_.font, painter_.device());
    return {metrics.horizontalAdvance(DisplayText(text)), metrics.height()};
}

void QtCanvas::SetTextColor(ColorRef color) { state_.textColor = ColorFromRef(color); }

void QtCanvas::SetTextAlign(int flags) { state_.align = flags; }

void QtCanvas::TextOut(int x, int y, const std::string& text)
{
    const QString shown = DisplayText(text);
    const QFontMetrics metrics(state_.font, painter_.device());
    const int width = metrics.horizontalAdvance(shown);
    const int horizontal = state_.align & kAlignCenter;
    const int vertical = state_.align & kAlignBaseline;
    const int dx = horizontal == kAlignCenter ? -width / 2 : horizontal == kAlignRight ? -width : 0;
    const int dy = vertical == kAlignBaseline ? 0 : vertical == kAlignBottom ? -metrics.descent() : metrics.ascent();

    painter_.save();
    painter_.setFont(state_.font);
    painter_.setPen(state_.textColor);
    painter_.translate(x, y);
    if (state_.escapement != 0) painter_.rotate(-static_cast<double>(state_.escapement) / 10.0);
    painter_.drawText(QPoint(dx, dy), shown);
    painter_.restore();
}

void QtCanvas::SelectPen(int penStyle, ColorRef color)
{
    QPen pen(ColorFromRef(color));
    pen.setWidth(1);
    pen.setCapStyle(Qt::SquareCap);  // with smoothing off: both end pixels, dashes exact
    const QList<qreal> pattern = DashPattern(penStyle);
    if (!pattern.isEmpty()) pen.setDashPattern(pattern);
    painter_.setPen(pen);
}

void QtCanvas::SelectBrush(ColorRef color) { painter_.setBrush(ColorFromRef(color)); }

void QtCanvas::MoveTo(int x, int y) { position_ = QPoint(x, y); }

void QtCanvas::LineTo(int x, int y)
{
    const QPoint from = position_;
    position_ = QPoint(x, y);
    const int dx = x - from.x();
    const int dy = y - from.y();
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0) return;
    // The end point itself is not drawn.
    const double shorter = (steps - 1.0) / steps;
    const QPoint last(from.x() + static_cast<int>(std::lround(dx * shorter)),
                      from.y() + static_cast<int>(std::lround(dy * shorter)));
    if (last == from) {
        painter_.drawPoint(from);
    } else {
        painter_.drawLine(from, last);
    }
}

void QtCanvas::Ellipse(const ChartRect& box)
{
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.drawEllipse(QRectF(box.left + 0.5, box.top + 0.5, box.right - box.left - 1, box.bottom - box.top - 1));
    painter_.restore();
}

void QtCanvas::Rectangle(const ChartRect& box)
{
    painter_.drawRect(QRect(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1));
}

void QtCanvas::Polygon(std::span<const ChartPoint> points)
{
    QPolygonF polygon;
    for (const ChartPoint& p : points) polygon << QPointF(p.x + 0.5, p.y + 0.5);
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.drawPolygon(polygon);
    painter_.restore();
}

void QtCanvas::SetClip(const ChartRect& area)
{
    painter_.setClipRect(QRect(area.left, area.top, area.right - area.left, area.bottom - area.top));
}

}  // namespace kalderon
