#include "charts/ui/StylePreviewWidgets.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include "charts/MarkerPainter.h"
#include "charts/StylePreviews.h"
#include "charts/qt/QtCanvas.h"
#include "common/ui/UiText.h"

namespace kalderon {
namespace {

constexpr int kItemHeight = 20;
constexpr int kNoneText = 820;
constexpr int kPenStyles = 5;
constexpr int kSymbols = 7;
const QColor kSelectedBack(0, 0, 255);

// Draws one item of the combo box: black on white, white on blue when
// selected.
void PaintItem(QPainter& painter, const QRect& area, StyleComboBox::Mode mode, int index, int lineWidth, bool selected)
{
    const ColorRef ink = selected ? Rgb(255, 255, 255) : Rgb(0, 0, 0);
    painter.fillRect(area, selected ? kSelectedBack : QColor(Qt::white));
    if (index < 0) return;
    painter.save();
    painter.setClipRect(area);
    const ChartRect item{area.left(), area.top(), area.right() + 1, area.bottom() + 1};
    QtCanvas canvas(painter);
    if (mode == StyleComboBox::Mode::kPen) {
        DrawPenSample(canvas, item, index, lineWidth, ink);
    } else if (index == 0) {
        painter.setPen(selected ? Qt::white : Qt::black);
        painter.drawText(area, Qt::AlignCenter, UiString(kNoneText));
    } else {
        CMarkerStyle marker;
        marker.symbol = index;
        marker.lineColor = ink;
        marker.fillColor = Rgb(255, 255, 255);
        DrawMarkerSample(canvas, item, marker);
    }
    painter.restore();
}

}  // namespace

class StyleComboBox::ItemPainter : public QStyledItemDelegate {
public:
    explicit ItemPainter(StyleComboBox& combo) : QStyledItemDelegate(&combo), combo_(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & (QStyle::State_Selected | QStyle::State_MouseOver);
        PaintItem(*painter, option.rect, combo_.mode(), index.row(), combo_.lineWidth(), selected);
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {60, kItemHeight}; }

private:
    StyleComboBox& combo_;
};

StyleComboBox::StyleComboBox(Mode mode, QWidget* parent) : QComboBox(parent), mode_(mode)
{
    const int count = mode == Mode::kPen ? kPenStyles : kSymbols;
    for (int i = 0; i < count; ++i) addItem(QString());
    setItemDelegate(new ItemPainter(*this));
    setMinimumWidth(110);
}

void StyleComboBox::SetLineWidth(int width)
{
    lineWidth_ = width;
    update();
    view()->viewport()->update();
}

void StyleComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    PaintItem(painter, field, mode_, currentIndex(), lineWidth_, hasFocus());
}

MarkerPreview::MarkerPreview(QWidget* parent) : QWidget(parent) { setMinimumSize(40, 40); }

void MarkerPreview::SetMarker(const CMarkerStyle& marker)
{
    marker_ = marker;
    update();
}

void MarkerPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (marker_.symbol <= 0) return;
    QtCanvas canvas(painter);
    DrawMarker(canvas, marker_, width() / 2, height() / 2, marker_.markerSize);
}

SeriesPreview::SeriesPreview(std::int32_t chartKind, QWidget* parent) : QWidget(parent), chartKind_(chartKind)
{
    setMinimumSize(120, 60);
}

void SeriesPreview::SetStyle(const CSeriesStyle& style)
{
    style_ = style;
    update();
}

void SeriesPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QtCanvas canvas(painter);
    DrawSeriesPreview(canvas, style_, chartKind_, width(), height());
}

}  // namespace kalderon
