#include "charts/qt/ChartImage.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "charts/ChartRenderer.h"
#include "charts/LifeTableChart.h"
#include "charts/qt/DisplayText.h"
#include "charts/qt/ImageApplication.h"
#include "charts/qt/QtCanvas.h"

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

bool WriteChartPng(LifeTableChart& chart, const std::string& path, int width, int height)
{
    return RenderChartImage(chart, width, height).save(QString::fromStdString(path), "PNG");
}

bool WriteChartSvg(LifeTableChart& chart, const std::string& path, int width, int height)
{
    EnsureImageApplication();
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(QSize(width, height));
    generator.setViewBox(QRect(0, 0, width, height));
    generator.setTitle(DisplayText(chart.titleText));
    QPainter painter;
    if (!painter.begin(&generator)) return false;
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    QtCanvas canvas(painter);
    DrawChart(chart, canvas, WindowSurface(width, height));
    painter.end();
    return file.error() == QFileDevice::NoError;
}

bool WriteChartPdf(LifeTableChart& chart, const std::string& path, int width, int height)
{
    EnsureImageApplication();
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    {
        QPdfWriter writer(&file);
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
    return file.error() == QFileDevice::NoError;
}

}  // namespace kalderon
