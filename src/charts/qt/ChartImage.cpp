#include "charts/qt/ChartImage.h"

#include <QIODevice>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <new>

#include "charts/ChartRenderer.h"
#include "charts/LifeTableChart.h"
#include "charts/qt/ImageApplication.h"
#include "charts/qt/QtCanvas.h"
#include "charts/qt/StreamedSvg.h"
#include "common/SafeFileWrite.h"
#include "common/qt/DisplayText.h"

namespace kalderon {

QImage RenderChartImage(LifeTableChart& chart, int width, int height)
{
    EnsureImageApplication();
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) throw std::bad_alloc();  // the only way QImage says it
    image.fill(Qt::white);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    DrawChart(chart, canvas, WindowSurface(width, height));
    painter.end();
    return image;
}

namespace {

// A device that hands what is written to it on to a file being written.
class ByteWriterDevice : public QIODevice {
public:
    explicit ByteWriterDevice(const ByteWriter& write) : write_(write) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        write_(std::string_view(data, static_cast<size_t>(size)));
        return size;
    }

private:
    const ByteWriter& write_;
};

// Writes what `render` puts on a device to `path`, straight to the file.
bool WriteRendered(const std::string& path, const std::function<bool(QIODevice&)>& render)
{
    std::string reason;
    return WriteFileSafely(
        path,
        [&render](const ByteWriter& write) {
            ByteWriterDevice device(write);
            return render(device);
        },
        reason);
}

}  // namespace

bool WriteChartPng(LifeTableChart& chart, const std::string& path, int width, int height)
{
    const QImage image = RenderChartImage(chart, width, height);
    return WriteRendered(path, [&image](QIODevice& device) { return image.save(&device, "PNG"); });
}

bool WriteChartSvg(LifeTableChart& chart, const std::string& path, int width, int height)
{
    EnsureImageApplication();
    return WriteRendered(path, [&](QIODevice& device) {
        return PaintSvg(device, QSize(width, height), DisplayText(chart.titleText), [&](QPainter& painter) {
            painter.fillRect(QRect(0, 0, width, height), Qt::white);
            QtCanvas canvas(painter);
            DrawChart(chart, canvas, WindowSurface(width, height));
        });
    });
}

bool WriteChartPdf(LifeTableChart& chart, const std::string& path, int width, int height)
{
    EnsureImageApplication();
    return WriteRendered(path, [&](QIODevice& device) {
        QPdfWriter writer(&device);
        writer.setResolution(72);  // one unit of the drawing is one point
        writer.setPageLayout(QPageLayout(QPageSize(QSizeF(width, height), QPageSize::Point), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        writer.setTitle(DisplayText(chart.titleText));
        QPainter painter;
        if (!painter.begin(&writer)) return false;
        QtCanvas canvas(painter);
        DrawChart(chart, canvas, WindowSurface(width, height));
        return painter.end();
    });
}

}  // namespace kalderon
