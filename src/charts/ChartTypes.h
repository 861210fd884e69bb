#pragma once

#include <cstdint>

namespace kalderon {

// A colour as 0x00BBGGRR.
using ColorRef = std::uint32_t;

constexpr ColorRef Rgb(int red, int green, int blue)
{
    return static_cast<ColorRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(ColorRef c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(ColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(ColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }

// Text alignment flags: one horizontal and one vertical flag are or-ed.
enum TextAlign : std::int32_t {
    kAlignLeft = 0,
    kAlignRight = 2,
    kAlignCenter = 6,
    kAlignTop = 0,
    kAlignBottom = 8,
    kAlignBaseline = 24,
};

// Pen styles of chart lines.
enum PenStyle : std::int32_t {
    kPenSolid = 0,
    kPenDash = 1,
    kPenDot = 2,
    kPenDashDot = 3,
    kPenDashDotDot = 4,
};

struct ChartPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ChartPoint&) const = default;
};

struct ChartSize {
    int width = 0;
    int height = 0;
    bool operator==(const ChartSize&) const = default;
};

// A rectangle that contains its left and top edges but not its right and
// bottom edges.
struct ChartRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool Contains(ChartPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool operator==(const ChartRect&) const = default;
};

}  // namespace kalderon
