#include "import/ui/CFullRowListCtrl.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "import/ui/CaseListModel.h"
#include "import/ui/ShortenedText.h"

namespace kalderon {
namespace {

constexpr int kFirstColumnMargin = 2;
constexpr int kColumnMargin = 6;
const QColor kInvalidTint(255, 0, 0);

// `share` of `other` mixed into `colour`.
QColor Mixed(const QColor& colour, const QColor& other, double share)
{
    const auto mix = [share](int a, int b) { return static_cast<int>(a + (b - a) * share + 0.5); };
    return QColor(mix(colour.red(), other.red()), mix(colour.green(), other.green()), mix(colour.blue(), other.blue()));
}

class FullRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        const bool highlighted = (option.state & QStyle::State_Selected) && view && view->hasFocus();
        const QPalette& palette = option.palette;
        const bool invalid = index.data(CaseListModel::kInvalidCaseRole).toBool();
        QColor textColour = palette.text().color();
        if (highlighted)
            painter->fillRect(option.rect, palette.highlight());
        else if (invalid) {
            painter->fillRect(option.rect, Mixed(palette.base().color(), kInvalidTint, 0.08));
            textColour = Mixed(textColour, palette.base().color(), 0.4);
        } else
            painter->fillRect(option.rect, palette.base());
        if (index.data(CaseListModel::kLeftOutCaseRole).toBool()) textColour = Mixed(textColour, palette.base().color(), 0.55);

        const QString text = index.data(Qt::DisplayRole).toString();
        if (text.isEmpty()) return;
        const int margin = index.column() == 0 ? kFirstColumnMargin : kColumnMargin;
        const QRect textRect = option.rect.adjusted(margin, 0, -margin, 0);
        const auto alignment = index.data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        painter->setFont(option.font);
        painter->setPen(highlighted ? palette.highlightedText().color() : textColour);
        painter->drawText(textRect, int(alignment ? alignment : Qt::AlignLeft | Qt::AlignVCenter) | Qt::TextSingleLine,
                          ShortenedText(text, option.rect.width(), 2 * margin, option.fontMetrics));
    }
};

}  // namespace

void CFullRowListCtrl::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        emit CopyRequested();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

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
