#include "common/qt/DisplayText.h"

#include <QStringDecoder>

namespace kalderon {
namespace {

// Windows-1252 characters of the bytes 0x80 to 0x9F; the other bytes are
// the Latin-1 characters of the same number (undefined ones included).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

QString DisplayText(std::string_view bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return text;

    text.clear();
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (unsigned char c : bytes) {
        text.append(c >= 0x80 && c < 0xA0 ? QChar(kCp1252High[c - 0x80]) : QChar(c));
    }
    return text;
}

}  // namespace kalderon
