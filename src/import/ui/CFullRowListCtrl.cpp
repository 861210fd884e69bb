#include "import/ui/CFullRowListCtrl.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

#include "import/ui/ShortenedText.h"

namespace kalderon {
namespace {

constexpr int kFirstColumnMargin = 2;
constexpr int kColumnMargin = 6;

class FullRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        const bool highlighted = (option.state & QStyle::State_Selected) && view && view->hasFocus();
        const QPalette& palette = option.palette;
        painter->fillRect(option.rect, highlighted ? palette.highlight() : palette.base());

        const QString text = index.data(Qt::DisplayRole).toString();
        if (text.isEmpty()) return;
        const int margin = index.column() == 0 ? kFirstColumnMargin : kColumnMargin;
        const QRect textRect = option.rect.adjusted(margin, 0, -margin, 0);
        const auto alignment = index.data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        painter->setFont(option.font);
        painter->setPen(highlighted ? palette.highlightedText().color() : palette.text().color());
        painter->drawText(textRect, int(alignment ? alignment : Qt::AlignLeft | Qt::AlignVCenter) | Qt::TextSingleLine,
                          ShortenedText(text, option.rect.width(), 2 * margin, option.fontMetrics));
    }
};

}  // namespace

CFullRowListCtrl::CFullRowListCtrl(QWidget* parent) : QTableView(parent)
{
    setItemDelegate(new FullRowDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setTextElideMode(Qt::ElideRight);
}

}  // namespace kalderon
