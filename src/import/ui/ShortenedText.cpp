#include "import/ui/ShortenedText.h"

#include <QFontMetrics>

namespace kalderon {
namespace {
constexpr qsizetype kLongestCellText = 259;
const QString kEllipsis = QStringLiteral("...");
}  // namespace

QString ShortenedText(const QString& text, int width, int margin, const QFontMetrics& metrics)
{
    const QString cell = text.left(kLongestCellText);
    if (metrics.horizontalAdvance(cell) + margin <= width) return cell;
    // The longest prefix that fits with the ellipsis; prefix widths only grow.
    qsizetype fits = 0;
    qsizetype tooLong = cell.size();
    while (tooLong - fits > 1) {
        const qsizetype middle = (fits + tooLong) / 2;
        if (metrics.horizontalAdvance(cell.left(middle) + kEllipsis) + margin <= width)
            fits = middle;
        else
            tooLong = middle;
    }
    return cell.left(fits) + kEllipsis;
}

}  // namespace kalderon
