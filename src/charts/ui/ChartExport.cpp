#include "charts/ui/ChartExport.h"

#include <QImage>
#include <QPainter>
#include <QStringList>
#include <optional>

#include "charts/ChartLayoutSnapshot.h"
#include "charts/ChartMetafile.h"
#include "charts/qt/ChartImage.h"
#include "charts/qt/QtCanvas.h"
#include "common/ui/UiText.h"

namespace kalderon {
namespace {

constexpr int kMetafileFilter = 202;
const char* const kPictureFilters = "PNG images (*.png)|*.png|SVG drawings (*.svg)|*.svg|PDF documents (*.pdf)|*.pdf|";

std::optional<ChartExportFormat> FormatOfPattern(const QString& text)
{
    const QString lower = text.toLower();
    if (lower.endsWith(QLatin1String(".wmf")) || lower.contains(QLatin1String("*.wmf"))) return ChartExportFormat::kMetafile;
    if (lower.endsWith(QLatin1String(".png")) || lower.contains(QLatin1String("*.png"))) return ChartExportFormat::kPng;
    if (lower.endsWith(QLatin1String(".svg")) || lower.contains(QLatin1String("*.svg"))) return ChartExportFormat::kSvg;
    if (lower.endsWith(QLatin1String(".pdf")) || lower.contains(QLatin1String("*.pdf"))) return ChartExportFormat::kPdf;
    return std::nullopt;
}

}  // namespace

QString ChartExportFilter()
{
    // "Windows Metafiles (*.wmf)|*.wmf|All files (*.*)|*.*||": the pictures
    // go after the first entry.
    const QString metafile = UiString(kMetafileFilter);
    const qsizetype second = metafile.indexOf(QLatin1Char('|'), metafile.indexOf(QLatin1Char('|')) + 1) + 1;
    return metafile.left(second) + QLatin1String(kPictureFilters) + metafile.mid(second);
}

ChartExportFormat ExportFormatOf(const QString& path, const QString& selectedFilter)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (path.indexOf(QLatin1Char('.'), slash + 1) >= 0) {
        if (const auto format = FormatOfPattern(path)) return *format;
    }
    return FormatOfPattern(selectedFilter).value_or(ChartExportFormat::kMetafile);
}

bool ExportChartPicture(LifeTableChart& chart, const QString& path, ChartExportFormat format, int clientWidth,
                        int clientHeight)
{
    const ChartLayoutSnapshot windowLayout(chart);
    const std::string file = PathBytes(path);
    switch (format) {
    case ChartExportFormat::kPng: return WriteChartPng(chart, file, clientWidth, clientHeight);
    case ChartExportFormat::kSvg: return WriteChartSvg(chart, file, clientWidth, clientHeight);
    case ChartExportFormat::kPdf: return WriteChartPdf(chart, file, clientWidth, clientHeight);
    case ChartExportFormat::kMetafile: break;
    }
    // Texts are measured as on the screen.
    QImage screen(1, 1, QImage::Format_RGB32);
    QPainter painter(&screen);
    QtCanvas measuring(painter);
    return ExportChartMetafile(chart, file, measuring, clientWidth, clientHeight);
}

}  // namespace kalderon
