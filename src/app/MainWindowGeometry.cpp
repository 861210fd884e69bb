#include "app/MainWindowGeometry.h"

#include <QScreen>
#include <QSettings>
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

void PlaceMainWindow(QWidget& window)
{
    const QRect available = window.screen()->availableGeometry();
    const QByteArray kept = OpenUserProfile()->value(kGeometryKey).toByteArray();
    if (!kept.isEmpty() && window.restoreGeometry(kept)) {
        // A window kept from a larger screen (or another scale) is cut to this one.
        const QRect frame = window.frameGeometry();
        if (available.contains(frame)) return;
        const QSize margins = frame.size() - window.geometry().size();
        const QSize size = window.size().boundedTo(available.size() - margins);
        window.resize(size);
        const QRect now = window.frameGeometry();
        window.move(std::clamp(now.left(), available.left(), available.right() + 1 - now.width()),
                    std::clamp(now.top(), available.top(), available.bottom() + 1 - now.height()));
        return;
    }
    window.setGeometry(FirstWindowGeometry(kPreferredSize, available));
}

void StoreMainWindowGeometry(const QWidget& window) { OpenUserProfile()->setValue(kGeometryKey, window.saveGeometry()); }

}  // namespace kalderon
