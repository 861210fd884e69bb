#include "common/ui/LockKeyIndicators.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

namespace kalderon {
namespace {

constexpr quint32 kLockModifier = 1u << 1;  // X11 LockMask, xkb "Lock"
constexpr quint32 kNumModifier = 1u << 4;   // X11 Mod2Mask, xkb "Mod2" (Num Lock)
const char* const kPaneTexts[LockKeyIndicators::kLockCount] = {"CAP", "NUM", "SCRL"};

}  // namespace

LockKeyIndicators::LockKeyIndicators(QStatusBar* statusBar, const QString& platform)
    : QObject(statusBar), readable_(platform == QLatin1String("xcb") || platform == QLatin1String("wayland"))
{
    for (int lock = 0; lock < kLockCount; ++lock) {
        const QString text = QString::fromLatin1(kPaneTexts[lock]);
        auto* pane = new QLabel(text, statusBar);
        pane->setObjectName(QStringLiteral("indicator") + text);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        statusBar->addPermanentWidget(pane);
        panes_[lock] = pane;
        Show(static_cast<Lock>(lock), State::kUnknown);
    }
    if (readable_) qApp->installEventFilter(this);
}

bool LockKeyIndicators::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && watched->isWidgetType()) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const quint32 modifiers = key->nativeModifiers();
        // The state comes as it was before the key: pressing a lock key
        // turns it over, and its release tells nothing new.
        const struct {
            Lock lock;
            int key;
            quint32 modifier;
        } locks[] = {{kCaps, Qt::Key_CapsLock, kLockModifier}, {kNum, Qt::Key_NumLock, kNumModifier}};
        for (const auto& entry : locks) {
            bool on = (modifiers & entry.modifier) != 0;
            if (key->key() == entry.key) {
                if (event->type() == QEvent::KeyRelease || key->isAutoRepeat()) continue;
                on = !on;
            }
            Show(entry.lock, on ? State::kOn : State::kOff);
        }
    }
    return QObject::eventFilter(watched, event);
}

void LockKeyIndicators::Show(Lock lock, State state)
{
    if (states_[lock] == state && state != State::kUnknown) return;
    states_[lock] = state;
    QLabel* pane = panes_[lock];
    const QString text = QString::fromLatin1(kPaneTexts[lock]);
    pane->setEnabled(state == State::kOn);
    pane->setText(state == State::kOff ? QString() : text);
    pane->setToolTip(state == State::kUnknown
                         ? (readable_ && lock != kScroll ? QStringLiteral("Known from the first key pressed here on")
                                                         : QStringLiteral("The state of this key cannot be read here"))
                         : QString());
}

}  // namespace kalderon
