#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "charts/Canvas.h"

namespace kalderon::testing {

// A canvas that writes down what is drawn, one text per primitive, with
// simple font metrics: characters |lfHeight| / 2 wide, lines |lfHeight| * 5/4
// high.
class RecordingCanvas : public Canvas {
public:
    void SetMapping(int width, int height) override { Record("mapping %d %d", width, height); }
    void Save() override { Record("save"); }
    void Restore() override { Record("restore"); }

    void SelectFont(const LogFont& font) override
    {
        font_ = font;
        Record("font %d %d %s", font.lfHeight, font.lfEscapement, font.FaceName().c_str());
    }
    ChartSize TextExtent(const std::string& text) override
    {
        const int h = std::abs(font_.lfHeight);
        return {static_cast<int>(text.size()) * (h / 2), h * 5 / 4};
    }
    void SetTextColor(ColorRef color) override { textColor_ = color; }
    void SetTextAlign(int flags) override { align_ = flags; }
    void TextOut(int x, int y, const std::string& text) override
    {
        Record("text %d,%d align %d color %06x '%s'", x, y, align_, textColor_, text.c_str());
    }

    void SelectPen(int penStyle, ColorRef color) override { Record("pen %d %06x", penStyle, color); }
    void SelectBrush(ColorRef color) override { Record("brush %06x", color); }
    void MoveTo(int x, int y) override { x_ = x, y_ = y; }
    void LineTo(int x, int y) override
    {
        Record("line %d,%d %d,%d", x_, y_, x, y);
        x_ = x, y_ = y;
    }
    void Ellipse(const ChartRect& b) override { Record("ellipse %d,%d %d,%d", b.left, b.top, b.right, b.bottom); }
    void Rectangle(const ChartRect& b) override
    {
        Record("rectangle %d,%d %d,%d", b.left, b.top, b.right, b.bottom);
    }
    void Polygon(std::span<const ChartPoint> points) override
    {
        std::string text = "polygon";
        for (const ChartPoint& p : points) text += " " + std::to_string(p.x) + "," + std::to_string(p.y);
        records.push_back(text);
    }
    void SetClip(const ChartRect& a) override { Record("clip %d,%d %d,%d", a.left, a.top, a.right, a.bottom); }

    bool Has(const std::string& record) const
    {
        return std::find(records.begin(), records.end(), record) != records.end();
    }
    int Count(const std::string& prefix) const
    {
        return static_cast<int>(std::count_if(records.begin(), records.end(), [&](const std::string& r) {
            return r.compare(0, prefix.size(), prefix) == 0;
        }));
    }
    // Records from the first one equal to `from` up to, not including, the
    // next one starting with `until`.
    std::vector<std::string> Between(const std::string& from, const std::string& until) const
    {
        auto begin = std::find(records.begin(), records.end(), from);
        if (begin == records.end()) return {};
        auto end = std::find_if(begin + 1, records.end(),
                                [&](const std::string& r) { return r.compare(0, until.size(), until) == 0; });
        return {begin, end};
    }

    std::vector<std::string> records;

private:
    template <typename... Args>
    void Record(const char* format, Args... args)
    {
        char buffer[512];
        std::snprintf(buffer, sizeof buffer, format, args...);
        records.emplace_back(buffer);
    }

    LogFont font_;
    ColorRef textColor_ = 0;
    int align_ = 0;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace kalderon::testing
