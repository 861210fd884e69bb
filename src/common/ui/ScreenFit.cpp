#include "common/ui/ScreenFit.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

namespace kalderon {
namespace {

// A frameless scroll area whose natural size is that of its whole content
// (QScrollArea's stops at 36 by 24 lines of text).
class WholeContentScrollArea : public QScrollArea {
public:
    explicit WholeContentScrollArea(QWidget* parent) : QScrollArea(parent)
    {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setFocusPolicy(Qt::NoFocus);
    }

    QSize sizeHint() const override
    {
        return widget() ? widget()->sizeHint() + QSize(2 * frameWidth(), 2 * frameWidth()) : QScrollArea::sizeHint();
    }
};

// Room the window system takes around a window: its frame once it has one,
// else a title bar and borders as the style draws them.
QSize FrameAround(const QWidget* window)
{
    const QSize frame = window->frameGeometry().size() - window->size();
    if (!frame.isEmpty()) return frame;
    const QStyle* style = window->style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    return {2 * border, style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window) + 2 * border};
}

void Fit(QWidget* window)
{
    const QWidget* placedBy = window->parentWidget() ? window->parentWidget()->window() : window;
    const QScreen* screen = placedBy->screen();
    if (!screen) return;
    const QSize room = screen->availableGeometry().size() - FrameAround(window);
    QSize wanted = window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint();
    // Where the room cuts one side, a scroll bar takes room from the other.
    const int scrollBar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window);
    if (wanted.height() > room.height()) wanted.rwidth() += scrollBar;
    if (wanted.width() > room.width()) wanted.rheight() += scrollBar;
    window->resize(wanted.boundedTo(room).expandedTo(window->minimumSize()));
}

class ScreenFitter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous())
            if (auto* window = qobject_cast<QWidget*>(watched)) Fit(window);
        return false;
    }
};

// The widgets of the window's Tab chain, in order.
QList<QPointer<QWidget>> TabChain(QWidget* window)
{
    QList<QPointer<QWidget>> chain;
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) chain << w;
    return chain;
}

void RestoreTabChain(const QList<QPointer<QWidget>>& chain)
{
    for (qsizetype i = 1; i < chain.size(); ++i)
        if (chain[i - 1] && chain[i]) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

QScrollArea* ScrollAround(QWidget* owner, QLayout* content)
{
    auto* scroll = new WholeContentScrollArea(owner);
    auto* inner = new QWidget(scroll);
    inner->setLayout(content);  // takes the layout's widgets along
    scroll->setWidget(inner);
    return scroll;
}

}  // namespace

void FitToScreen(QWidget* window) { window->installEventFilter(new ScreenFitter(window)); }

QScrollArea* LayOutFittingScreen(QDialog* dialog, QLayout* content, QWidget* buttons)
{
    const QList<QPointer<QWidget>> chain = TabChain(dialog);
    content->setContentsMargins(0, 0, 0, 0);  // the dialog's layout keeps the margins
    QScrollArea* scroll = ScrollAround(dialog, content);
    const auto* box = qobject_cast<QDialogButtonBox*>(buttons);
    const bool beside = box && box->orientation() == Qt::Vertical;
    QBoxLayout* layout = beside ? static_cast<QBoxLayout*>(new QHBoxLayout(dialog)) : new QVBoxLayout(dialog);
    layout->addWidget(scroll, 1);
    layout->addWidget(buttons, 0, beside ? Qt::AlignTop : Qt::Alignment());
    RestoreTabChain(chain);
    FitToScreen(dialog);
    return scroll;
}

void ScrollContentsOf(QWidget* page)
{
    const QList<QPointer<QWidget>> chain = TabChain(page->window());
    QLayout* content = page->layout();
    QScrollArea* scroll = ScrollAround(page, content);  // the page is left without a layout
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    RestoreTabChain(chain);
}

}  // namespace kalderon
