#include "charts/ui/LabelListCtrl.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

namespace kalderon {
namespace {

constexpr int kLeftInset = 4;
constexpr int kRightInset = 3;
constexpr int kTextMargin = 5;

}  // namespace

LabelListCtrl::LabelListCtrl(QWidget* parent) : QTableWidget(parent)
{
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
}

void LabelListCtrl::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() && index.column() > 0 && index.row() == currentRow() &&
        hasFocus()) {
        EditCell(index.row(), index.column());
        return;
    }
    QTableWidget::mousePressEvent(event);
    if (index.isValid()) setCurrentCell(index.row(), 0);
}

void LabelListCtrl::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (currentRow() >= 0 && columnCount() > 1) EditCell(currentRow(), 1);
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void LabelListCtrl::EditCell(int row, int column)
{
    EndEdit(true);
    QTableWidgetItem* cell = item(row, column);
    if (!cell) setItem(row, column, cell = new QTableWidgetItem);
    scrollToItem(cell);
    const QRect area = visualItemRect(cell);
    if (area.left() < 0 || area.right() > viewport()->width()) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + area.left());
    }
    const QRect shown = visualItemRect(cell);
    const int left = shown.left() + kLeftInset;
    const int right = std::min(shown.right() + 1 - kRightInset, viewport()->width());

    editRow_ = row;
    editColumn_ = column;
    editBox_ = new QLineEdit(cell->text(), viewport());
    editBox_->setObjectName(QStringLiteral("labelEdit"));
    const Qt::Alignment horizontal = Qt::Alignment(cell->textAlignment()) & Qt::AlignHorizontal_Mask;
    editBox_->setAlignment(horizontal == Qt::Alignment() ? Qt::Alignment(Qt::AlignLeft) : horizontal);
    editBox_->setFrame(false);
    minimumEditWidth_ = std::max(1, right - left);
    editBox_->setGeometry(left, shown.top(), minimumEditWidth_, shown.height());
    editBox_->installEventFilter(this);
    connect(editBox_, &QLineEdit::textChanged, this, &LabelListCtrl::FitEditBox);
    connect(editBox_, &QLineEdit::editingFinished, this, [this] { EndEdit(true); });
    editBox_->show();
    editBox_->setFocus();
    editBox_->selectAll();
}

void LabelListCtrl::FitEditBox()
{
    if (!editBox_) return;
    const int wanted = editBox_->fontMetrics().horizontalAdvance(editBox_->text()) + kTextMargin;
    const int widest = viewport()->width() - editBox_->x();
    editBox_->resize(std::max(minimumEditWidth_, std::min(wanted, widest)), editBox_->height());
}

bool LabelListCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == editBox_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            EndEdit(false);
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            EndEdit(true);
            return true;
        }
    }
    return QTableWidget::eventFilter(watched, event);
}

void LabelListCtrl::EndEdit(bool keep)
{
    if (!editBox_) return;
    QLineEdit* box = editBox_;
    editBox_ = nullptr;
    box->disconnect(this);
    box->removeEventFilter(this);
    if (keep) item(editRow_, editColumn_)->setText(box->text());
    box->hide();
    box->deleteLater();
    setFocus();
}

}  // namespace kalderon
