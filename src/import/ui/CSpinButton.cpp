#include "import/ui/CSpinButton.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

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

CSpinButton::CSpinButton(QLineEdit* buddy, QWidget* parent) : QWidget(parent), buddy_(buddy)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QToolButton* up = ArrowButton(Qt::UpArrow, this);
    QToolButton* down = ArrowButton(Qt::DownArrow, this);
    layout->addWidget(up);
    layout->addWidget(down);
    setFixedSize(16, buddy->sizeHint().height());
    connect(up, &QToolButton::clicked, this, [this] { StepBy(1); });
    connect(down, &QToolButton::clicked, this, [this] { StepBy(-1); });
    buddy_->installEventFilter(this);
}

void CSpinButton::SetRange(int lower, int upper)
{
    lower_ = lower;
    upper_ = std::max(lower, upper);
}

void CSpinButton::StepBy(int steps)
{
    if (!isEnabled()) return;
    const int value = std::clamp(buddy_->text().toInt() + steps, lower_, upper_);
    buddy_->setText(QString::number(value));
    emit Stepped();
}

bool CSpinButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            StepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace kalderon
