#include "app/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

#include "common/ui/ResourceIds.h"

namespace kalderon {
namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;

QIcon Draw(const std::function<void(QPainter&)>& paint)
{
    QPixmap pixmap(kWidth, kHeight);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(painter);
    painter.end();
    return QIcon(pixmap);
}

void Page(QPainter& p, int x, int y, int w, int h)
{
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::white);
    p.drawRect(x, y, w, h);
    p.setPen(QColor(0, 0, 128));
    for (int line = y + 2; line < y + h - 1; line += 2) p.drawLine(x + 2, line, x + w - 2, line);
}

void OpenFolder(QPainter& p)
{
    p.setPen(QColor(96, 64, 0));
    p.setBrush(QColor(255, 220, 96));
    p.drawPolygon(QPolygon({{1, 3}, {5, 3}, {6, 4}, {12, 4}, {12, 13}, {1, 13}}));
    p.setBrush(QColor(255, 240, 160));
    p.drawPolygon(QPolygon({{1, 13}, {4, 7}, {15, 7}, {12, 13}}));
    p.setPen(QPen(QColor(0, 96, 0), 1));
    p.drawLine(10, 1, 13, 1);
    p.drawLine(13, 1, 13, 4);
    p.drawLine(12, 3, 14, 3);
}

void Scissors(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(96, 96, 96), 1.2));
    p.drawLine(QPointF(5, 1), QPointF(10, 9.5));
    p.drawLine(QPointF(11, 1), QPointF(6, 9.5));
    p.setPen(QPen(QColor(0, 0, 160), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.5, 11.5), 2.3, 2.3);
    p.drawEllipse(QPointF(11.5, 11.5), 2.3, 2.3);
}

void Copy(QPainter& p)
{
    Page(p, 1, 1, 8, 9);
    Page(p, 6, 5, 8, 9);
}

void Paste(QPainter& p)
{
    p.setPen(QColor(64, 32, 0));
    p.setBrush(QColor(176, 112, 48));
    p.drawRect(1, 2, 10, 12);
    p.setBrush(QColor(160, 160, 160));
    p.drawRect(4, 1, 4, 2);
    Page(p, 6, 5, 8, 9);
}

void Printer(QPainter& p)
{
    Page(p, 4, 0, 8, 6);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(0, 6, 15, 6);
    p.setBrush(Qt::white);
    p.drawRect(3, 10, 9, 4);
    p.setPen(QColor(0, 160, 0));
    p.drawPoint(12, 8);
}

void About(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0, 0, 128));
    p.setBrush(QColor(32, 96, 208));
    p.drawEllipse(QRectF(1, 0.5, 13.5, 13.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6.8, 2.6, 2, 2));
    p.drawRect(QRectF(6.9, 5.8, 1.8, 6));
}

// A book with a question mark.
void HelpContents(QPainter& p)
{
    p.setPen(QColor(0, 64, 0));
    p.setBrush(QColor(64, 160, 64));
    p.drawRect(2, 1, 11, 13);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(4, 2, 4, 13);
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(5, 1, 8, 13), Qt::AlignCenter, QStringLiteral("?"));
}

void Exit(QPainter& p)
{
    p.setPen(QColor(64, 32, 0));
    p.setBrush(QColor(176, 112, 48));
    p.drawRect(1, 1, 8, 13);
    p.setBrush(QColor(255, 220, 96));
    p.drawRect(7, 7, 1, 1);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 144, 0));
    p.drawPolygon(QPolygonF({{8, 6.5}, {11.5, 6.5}, {11.5, 4}, {15.5, 8}, {11.5, 12}, {11.5, 9.5}, {8, 9.5}}));
}

// A small survival curve in a frame.
void Chart(QPainter& p, int x, int y)
{
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::white);
    p.drawRect(x, y, 9, 8);
    p.setPen(QColor(192, 0, 0));
    p.drawLine(x + 1, y + 2, x + 3, y + 2);
    p.drawLine(x + 3, y + 2, x + 3, y + 4);
    p.drawLine(x + 3, y + 4, x + 6, y + 4);
    p.drawLine(x + 6, y + 4, x + 6, y + 6);
    p.drawLine(x + 6, y + 6, x + 8, y + 6);
}

void OpenChart(QPainter& p)
{
    OpenFolder(p);
    Chart(p, 6, 6);
}

void SaveChart(QPainter& p)
{
    p.setPen(QColor(0, 0, 64));
    p.setBrush(QColor(48, 64, 160));
    p.drawRect(1, 1, 13, 13);
    p.setBrush(Qt::white);
    p.drawRect(3, 1, 9, 6);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(4, 10, 7, 4);
    p.setPen(QColor(192, 0, 0));
    p.drawLine(4, 3, 7, 3);
    p.drawLine(7, 3, 7, 5);
    p.drawLine(7, 5, 11, 5);
}

void ExportChart(QPainter& p)
{
    Chart(p, 1, 1);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 144, 0));
    p.drawPolygon(QPolygonF({{7, 10}, {11, 10}, {11, 7.5}, {15.5, 11}, {11, 14.5}, {11, 12}, {7, 12}}));
}

}  // namespace

QIcon CommandIcon(int commandId)
{
    switch (commandId) {
    case command::kOpenDataFile:
        return Draw(OpenFolder);
    case command::kOpenChart:
        return Draw(OpenChart);
    case command::kSaveChart:
        return Draw(SaveChart);
    case command::kExportChart:
        return Draw(ExportChart);
    case command::kCut:
        return Draw(Scissors);
    case command::kCopy:
        return Draw(Copy);
    case command::kPaste:
        return Draw(Paste);
    case command::kPrint:
        return Draw(Printer);
    case command::kAbout:
        return Draw(About);
    case command::kHelpContents:
        return Draw(HelpContents);
    case command::kExit:
        return Draw(Exit);
    default:
        return {};
    }
}

QIcon ApplicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        p.setPen(QPen(QColor(0, 0, 96), 1.5));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 4, 4);
        p.setPen(QPen(QColor(96, 96, 96), 1.2));
        p.drawLine(QPointF(6, 5), QPointF(6, 26));
        p.drawLine(QPointF(6, 26), QPointF(27, 26));
        QPainterPath curve;
        curve.moveTo(6, 6);
        const double steps[][2] = {{10, 10}, {13, 13}, {17, 15}, {20, 19}, {24, 20}, {27, 20}};
        double y = 6;
        for (const auto& step : steps) {
            curve.lineTo(step[0], y);
            y = step[1];
            curve.lineTo(step[0], y);
        }
        p.setPen(QPen(QColor(192, 0, 0), 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(curve);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace kalderon
