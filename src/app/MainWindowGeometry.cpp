#include "app/MainWindowGeometry.h"

#include <QEvent>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "common/ui/UserProfile.h"

namespace kalderon {
namespace {

const QString kGeometryKey = QStringLiteral("Desktop/MainWindowGeometry");
constexpr QSize kPreferredSize(1000, 700);

}  // namespace

QRect FirstWindowGeometry(QSize preferred, const QRect& available)
{
    const QSize size = preferred.boundedTo(available.size() * 9 / 10);
    QRect place(QPoint(0, 0), size);
    place.moveCenter(available.center());
    return place;
}

namespace {

// Moves and cuts the window so that its frame lies on the free area of its
// screen, title bar and status bar included.
void KeepOnScreen(QWidget& window)
{
    const QRect available = window.screen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    if (available.contains(frame) || window.isMaximized() || window.isFullScreen()) return;
    const QSize margins = frame.size() - window.size();
    window.resize(window.size().boundedTo(available.size() - margins));
    const QRect now = window.frameGeometry();
    window.move(std::clamp(now.left(), available.left(), available.right() + 1 - now.width()),
                std::clamp(now.top(), available.top(), available.bottom() + 1 - now.height()));
}

// The frame's size is known only once the window shows: then the window is
// kept on the screen once more.
class KeepOnScreenWhenShown : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            auto* window = static_cast<QWidget*>(watched);
            QTimer::singleShot(0, window, [window] { KeepOnScreen(*window); });
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

}  // namespace

void PlaceMainWindow(QWidget& window)
{
    const QByteArray kept = OpenUserProfile()->value(kGeometryKey).toByteArray();
    if (kept.isEmpty() || !window.restoreGeometry(kept))
        window.setGeometry(FirstWindowGeometry(kPreferredSize, window.screen()->availableGeometry()));
    KeepOnScreen(window);
    window.installEventFilter(new KeepOnScreenWhenShown(&window));
}

void StoreMainWindowGeometry(const QWidget& window) { OpenUserProfile()->setValue(kGeometryKey, window.saveGeometry()); }

}  // namespace kalderon
