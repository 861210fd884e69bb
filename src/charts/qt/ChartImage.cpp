#include "charts/qt/ChartImage.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "charts/ChartRenderer.h"
#include "charts/LifeTableChart.h"
#include "charts/qt/DisplayText.h"
#include "charts/qt/ImageApplication.h"
#include "charts/qt/QtCanvas.h"
#include "results/SafeFileWrite.h"

namespace kalderon {

QImage RenderChartImage(LifeTableChart& chart, int width, int height)
{
    EnsureImageApplication();
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    DrawChart(chart, canvas, WindowSurface(width, height));
    painter.end();
    return image;
}

namespace {

bool WriteBytes(const std::string& path, const QByteArray& bytes)
{
    std::string reason;
    return WriteFileSafely(path, std::string(bytes.constData(), static_cast<size_t>(bytes.size())), reason);
}

}  // namespace

bool WriteChartPng(LifeTableChart& chart, const std::string& path, int width, int height)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return RenderChartImage(chart, width, height).save(&buffer, "PNG") && WriteBytes(path, bytes);
}

bool WriteChartSvg(LifeTableChart& chart, const std::string& path, int width, int height)
{
    EnsureImageApplication();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(width, height));
    generator.setViewBox(QRect(0, 0, width, height));
    generator.setTitle(DisplayText(chart.titleText));
    QPainter painter;
    if (!painter.begin(&generator)) return false;
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    QtCanvas canvas(painter);
    DrawChart(chart, canvas, WindowSurface(width, height));
    painter.end();
    return WriteBytes(path, bytes);
}

bool WriteChartPdf(LifeTableChart& chart, const std::string& path, int width, int height)
{
    EnsureImageApplication();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(72);  // one unit of the drawing is one point
        writer.setPageLayout(QPageLayout(QPageSize(QSizeF(width, height), QPageSize::Point), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        writer.setTitle(DisplayText(chart.titleText));
        QPainter painter;
        if (!painter.begin(&writer)) return false;
        QtCanvas canvas(painter);
        DrawChart(chart, canvas, WindowSurface(width, height));
        painter.end();
    }
    return WriteBytes(path, bytes);
}

}  // namespace kalderon
