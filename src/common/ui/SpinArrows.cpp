#include "common/ui/SpinArrows.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalderon {
namespace {

QToolButton* ArrowButton(Qt::ArrowType arrow, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedWidth(16);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    button->setObjectName(arrow == Qt::UpArrow ? QStringLiteral("up") : QStringLiteral("down"));
    return button;
}

}  // namespace

SpinArrows::SpinArrows(QLineEdit* buddy, QWidget* parent) : QWidget(parent), buddy_(buddy)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QToolButton* up = ArrowButton(Qt::UpArrow, this);
    QToolButton* down = ArrowButton(Qt::DownArrow, this);
    layout->addWidget(up);
    layout->addWidget(down);
    setFixedSize(16, buddy->sizeHint().height());
    connect(up, &QToolButton::clicked, this, [this] { emit Arrow(true); });
    connect(down, &QToolButton::clicked, this, [this] { emit Arrow(false); });
    buddy_->installEventFilter(this);
}

bool SpinArrows::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == buddy_ && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            emit Arrow(key == Qt::Key_Up);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace kalderon
