#pragma once

#include <QString>

class QFontMetrics;

namespace kalderon {

// The text as a list cell draws it in `width` pixels with `margin` pixels
// kept free: whole when it fits, else cut at the end with "..." appended,
// keeping as many characters as fit (possibly none).  Texts longer than 259
// characters are cut to 259 first.
QString ShortenedText(const QString& text, int width, int margin, const QFontMetrics& metrics);

}  // namespace kalderon
