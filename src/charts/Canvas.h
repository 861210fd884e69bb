#pragma once

#include <span>
#include <string>

#include "charts/ChartTypes.h"
#include "charts/LogFont.h"

namespace kalderon {

// A drawing surface for charts: the few device operations the chart drawing
// uses.  Coordinates are logical units, y pointing down.  Lines are drawn
// with pens one unit wide and, like the device lines they stand for, leave
// out their end point.
class Canvas {
public:
    virtual ~Canvas() = default;

    // One logical unit per device unit over a width x height area.
    virtual void SetMapping(int width, int height) = 0;
    // Saves and restores font, colours, pen, brush, alignment and clip.
    virtual void Save() = 0;
    virtual void Restore() = 0;

    // A font made from the record; lfEscapement in tenths of a degree
    // rotates text counter-clockwise.
    virtual void SelectFont(const LogFont& font) = 0;
    // Width and height of a text in the selected font, unrotated; the
    // height is the font's line height, also for an empty text.
    virtual ChartSize TextExtent(const std::string& text) = 0;
    virtual void SetTextColor(ColorRef color) = 0;
    // An or-ed horizontal and vertical TextAlign flag.
    virtual void SetTextAlign(int flags) = 0;
    virtual void TextOut(int x, int y, const std::string& text) = 0;

    virtual void SelectPen(int penStyle, ColorRef color) = 0;
    virtual void SelectBrush(ColorRef color) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // Outline with the pen, inside with the brush; right and bottom edges
    // lie outside the shape.
    virtual void Ellipse(const ChartRect& box) = 0;
    virtual void Rectangle(const ChartRect& box) = 0;
    virtual void Polygon(std::span<const ChartPoint> points) = 0;

    // Replaces the clip area.
    virtual void SetClip(const ChartRect& area) = 0;

    void Line(int x1, int y1, int x2, int y2)
    {
        MoveTo(x1, y1);
        LineTo(x2, y2);
    }
};

}  // namespace kalderon
