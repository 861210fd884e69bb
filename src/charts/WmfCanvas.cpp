#include "charts/WmfCanvas.h"

namespace kalderon {
namespace {

constexpr int kAnisotropic = 8;
constexpr int kTransparent = 1;
constexpr int kSolidBrush = 0;

std::string FontParameters(const LogFont& font)
{
    std::string p;
    MetafileWriter::AppendWord(p, font.lfHeight);
    MetafileWriter::AppendWord(p, font.lfWidth);
    MetafileWriter::AppendWord(p, font.lfEscapement);
    MetafileWriter::AppendWord(p, font.lfOrientation);
    MetafileWriter::AppendWord(p, font.lfWeight);
    for (std::uint8_t b : {font.lfItalic, font.lfUnderline, font.lfStrikeOut, font.lfCharSet, font.lfOutPrecision,
                           font.lfClipPrecision, font.lfQuality, font.lfPitchAndFamily}) {
        p.push_back(static_cast<char>(b));
    }
    std::string face = font.FaceName();
    face.push_back('\0');
    if (face.size() % 2) face.push_back('\0');
    return p + face;
}

}  // namespace

WmfCanvas::WmfCanvas(Canvas& measuring) : measuring_(measuring) {}

void WmfCanvas::SetMapping(int width, int height)
{
    writer_.Record(MetafileWriter::kSetMapMode, {kAnisotropic});
    writer_.Record(MetafileWriter::kSetWindowOrg, {0, 0});
    writer_.Record(MetafileWriter::kSetWindowExt, {height, width});
    writer_.Record(MetafileWriter::kSetViewportOrg, {0, 0});
    writer_.Record(MetafileWriter::kSetViewportExt, {height, width});
    // Texts are drawn without a background box, as on the screen.
    writer_.Record(MetafileWriter::kSetBkMode, {kTransparent});
}

void WmfCanvas::Hold(int slot)
{
    if (slot >= 0) ++holds_[slot];
}

void WmfCanvas::Release(int slot)
{
    if (slot < 0) return;
    if (--holds_[slot] > 0) return;
    holds_.erase(slot);
    writer_.DeleteObject(slot);
}

void WmfCanvas::PushLevel(bool clip)
{
    writer_.Record(MetafileWriter::kSaveDC, {});
    for (int slot : state_.objects) Hold(slot);
    saved_.push_back({state_, clip});
}

void WmfCanvas::PopLevel(bool keep)
{
    const SavedLevel level = saved_.back();
    saved_.pop_back();
    writer_.Record(MetafileWriter::kRestoreDC, {-1});
    devicePosition_.reset();
    if (keep) {
        for (int kind = 0; kind < kObjectKinds; ++kind) {
            if (state_.objects[kind] >= 0 && state_.objects[kind] != level.state.objects[kind]) {
                writer_.Record(MetafileWriter::kSelectObject, {state_.objects[kind]});
            }
        }
        if (state_.textColor != level.state.textColor) {
            std::string p;
            MetafileWriter::AppendDword(p, state_.textColor);
            writer_.Record(MetafileWriter::kSetTextColor, p);
        }
        if (state_.align != level.state.align) writer_.Record(MetafileWriter::kSetTextAlign, {state_.align});
    } else {
        for (int slot : state_.objects) Release(slot);
        state_ = level.state;
        for (int slot : state_.objects) Hold(slot);
    }
    for (int slot : level.state.objects) Release(slot);
}

void WmfCanvas::Save() { PushLevel(false); }

void WmfCanvas::Restore()
{
    while (!saved_.empty() && saved_.back().clip) PopLevel(false);
    if (!saved_.empty()) PopLevel(false);
}

void WmfCanvas::Select(ObjectKind kind, std::uint16_t function, const std::string& parameters)
{
    if (state_.objects[kind] >= 0 && state_.creations[kind] == parameters) return;
    const int slot = writer_.CreateObject(function, parameters);
    Hold(slot);
    writer_.Record(MetafileWriter::kSelectObject, {slot});
    Release(state_.objects[kind]);
    state_.objects[kind] = slot;
    state_.creations[kind] = parameters;
}

void WmfCanvas::SelectFont(const LogFont& font)
{
    measuring_.SelectFont(font);
    Select(kFont, MetafileWriter::kCreateFontIndirect, FontParameters(font));
}

ChartSize WmfCanvas::TextExtent(const std::string& text) { return measuring_.TextExtent(text); }

void WmfCanvas::SetTextColor(ColorRef color)
{
    if (color == state_.textColor) return;
    state_.textColor = color;
    std::string p;
    MetafileWriter::AppendDword(p, color);
    writer_.Record(MetafileWriter::kSetTextColor, p);
}

void WmfCanvas::SetTextAlign(int flags)
{
    if (flags == state_.align) return;
    state_.align = flags;
    writer_.Record(MetafileWriter::kSetTextAlign, {flags});
}

void WmfCanvas::TextOut(int x, int y, const std::string& text)
{
    const std::string shown = text.substr(0, 32767);
    std::string p;
    MetafileWriter::AppendWord(p, static_cast<int>(shown.size()));
    p += shown;
    if (shown.size() % 2) p.push_back('\0');
    MetafileWriter::AppendWord(p, y);
    MetafileWriter::AppendWord(p, x);
    writer_.Record(MetafileWriter::kTextOut, p);
}

void WmfCanvas::SelectPen(int penStyle, ColorRef color)
{
    std::string p;
    MetafileWriter::AppendWord(p, penStyle);
    MetafileWriter::AppendWord(p, 1);  // width 1 ...
    MetafileWriter::AppendWord(p, 0);  // ... as a point (x, y)
    MetafileWriter::AppendDword(p, color);
    Select(kPen, MetafileWriter::kCreatePenIndirect, p);
}

void WmfCanvas::SelectBrush(ColorRef color)
{
    std::string p;
    MetafileWriter::AppendWord(p, kSolidBrush);
    MetafileWriter::AppendDword(p, color);
    MetafileWriter::AppendWord(p, 0);
    Select(kBrush, MetafileWriter::kCreateBrushIndirect, p);
}

void WmfCanvas::MoveTo(int x, int y) { position_ = {x, y}; }

void WmfCanvas::SyncPosition()
{
    if (devicePosition_ == position_) return;
    writer_.Record(MetafileWriter::kMoveTo, {position_.y, position_.x});
    devicePosition_ = position_;
}

void WmfCanvas::LineTo(int x, int y)
{
    SyncPosition();
    writer_.Record(MetafileWriter::kLineTo, {y, x});
    position_ = {x, y};
    devicePosition_ = position_;
}

void WmfCanvas::Ellipse(const ChartRect& box)
{
    writer_.Record(MetafileWriter::kEllipse, {box.bottom, box.right, box.top, box.left});
}

void WmfCanvas::Rectangle(const ChartRect& box)
{
    writer_.Record(MetafileWriter::kRectangle, {box.bottom, box.right, box.top, box.left});
}

void WmfCanvas::Polygon(std::span<const ChartPoint> points)
{
    std::string p;
    MetafileWriter::AppendWord(p, static_cast<int>(points.size()));
    for (const ChartPoint& point : points) {
        MetafileWriter::AppendWord(p, point.x);
        MetafileWriter::AppendWord(p, point.y);
    }
    writer_.Record(MetafileWriter::kPolygon, p);
}

void WmfCanvas::SetClip(const ChartRect& area)
{
    // A metafile can only narrow the clip area: an earlier clip is undone by
    // restoring the device state saved before it.
    if (!saved_.empty() && saved_.back().clip) PopLevel(true);
    PushLevel(true);
    writer_.Record(MetafileWriter::kIntersectClipRect, {area.bottom, area.right, area.top, area.left});
}

}  // namespace kalderon
