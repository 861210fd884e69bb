#pragma once

#include <QSize>
#include <QString>
#include <functional>

class QIODevice;
class QPainter;

namespace kalderon {

// What `paint` draws on a width x height SVG picture, titled `title`, written
// to `device` as it is drawn: the bytes QSvgGenerator writes for the same
// painting (view box the picture's rectangle), without ever holding the
// whole document.  The document is made in pieces of at most
// `callsPerPiece` drawing calls, each cut where a new graphics state begins.
// False when the device cannot be written.
inline constexpr int kSvgCallsPerPiece = 4096;
bool PaintSvg(QIODevice& device, QSize size, const QString& title, const std::function<void(QPainter&)>& paint,
              int callsPerPiece = kSvgCallsPerPiece);

}  // namespace kalderon
