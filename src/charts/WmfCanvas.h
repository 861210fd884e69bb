#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "charts/Canvas.h"
#include "charts/MetafileWriter.h"

namespace kalderon {

// A canvas that records the drawing as a 16-bit Windows metafile.  Texts
// are measured on another canvas (the screen), as a metafile measures on its
// attribute device.  Selecting what is already selected writes nothing; an
// object is deleted once neither the current state nor a saved one uses it.
class WmfCanvas : public Canvas {
public:
    explicit WmfCanvas(Canvas& measuring);

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

    // The metafile with everything drawn so far.
    std::string Bytes() const { return writer_.Bytes(); }

private:
    enum ObjectKind { kFont, kPen, kBrush, kObjectKinds };

    struct State {
        int objects[kObjectKinds] = {-1, -1, -1};
        std::string creations[kObjectKinds];  // the creation records' parameters
        ColorRef textColor = 0;
        int align = 0;
    };
    struct SavedLevel {
        State state;
        bool clip = false;  // saved only to be able to replace the clip area
    };

    void Select(ObjectKind kind, std::uint16_t function, const std::string& parameters);
    void Hold(int slot);
    void Release(int slot);
    void PushLevel(bool clip);
    // Restores the device to the level's state; `keep` re-selects the current
    // state on top of it.
    void PopLevel(bool keep);
    void SyncPosition();

    Canvas& measuring_;
    MetafileWriter writer_;
    State state_;
    std::vector<SavedLevel> saved_;
    std::map<int, int> holds_;  // slot -> users
    ChartPoint position_;
    std::optional<ChartPoint> devicePosition_ = ChartPoint{};  // unknown after a restore
};

}  // namespace kalderon
