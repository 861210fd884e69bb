#pragma once

#include <QComboBox>
#include <QWidget>

#include "charts/SeriesStyle.h"

namespace kalderon {

// A combo box of pictures without texts: pen styles 0..4 drawn at a line
// width, or marker symbols 0..6 ("(none)" for 0).  The item index is the
// pen style or the symbol.
class StyleComboBox : public QComboBox {
    Q_OBJECT
public:
    enum class Mode { kPen, kMarker };
    StyleComboBox(Mode mode, QWidget* parent = nullptr);

    Mode mode() const { return mode_; }
    int lineWidth() const { return lineWidth_; }
    void SetLineWidth(int width);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    class ItemPainter;
    Mode mode_;
    int lineWidth_ = 1;
};

// The marker of a marker style at the centre of a white area.
class MarkerPreview : public QWidget {
    Q_OBJECT
public:
    explicit MarkerPreview(QWidget* parent = nullptr);
    void SetMarker(const CMarkerStyle& marker);
    const CMarkerStyle& marker() const { return marker_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CMarkerStyle marker_;
};

// A sample of a data series as the chart kind draws it.
class SeriesPreview : public QWidget {
    Q_OBJECT
public:
    explicit SeriesPreview(std::int32_t chartKind, QWidget* parent = nullptr);
    void SetStyle(const CSeriesStyle& style);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::int32_t chartKind_;
    CSeriesStyle style_;
};

}  // namespace kalderon
