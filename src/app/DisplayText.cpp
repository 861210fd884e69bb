#include "app/DisplayText.h"

#include <QFile>
#include <QStringDecoder>

#include "resources/StringTable.h"

namespace kalderon {
namespace {

// Windows-1252 code points of the bytes 0x80..0x9F; the five bytes the code
// page leaves undefined keep their Latin-1 control character.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString FromWindows1252(std::string_view bytes)
{
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[static_cast<qsizetype>(i)] = QChar(byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : char16_t(byte));
    }
    return text;
}

bool IsAscii(std::string_view bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

QString DisplayText(std::string_view bytes)
{
    if (IsAscii(bytes)) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return text;
    return FromWindows1252(bytes);
}

QString UiString(int id) { return DisplayText(LoadString(id)); }

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathFromBytes(const std::string& bytes) { return QFile::decodeName(QByteArray::fromStdString(bytes)); }

}  // namespace kalderon
