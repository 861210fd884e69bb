#pragma once

#include <QString>

namespace kalderon {

class LifeTableChart;

// The picture formats "Export chart" writes.
enum class ChartExportFormat { kMetafile, kPng, kSvg, kPdf };

// The filter of the export dialog: the metafile entry first, then PNG, SVG
// and PDF, then every file.
QString ChartExportFilter();

// The format of a chosen path: by its extension, else by the filter entry
// chosen, else the metafile.
ChartExportFormat ExportFormatOf(const QString& path, const QString& selectedFilter);

// Writes the chart as a picture of the window's proportions; false when the
// file cannot be written.  The window's layout values stay in the chart.
bool ExportChartPicture(LifeTableChart& chart, const QString& path, ChartExportFormat format, int clientWidth,
                        int clientHeight);

}  // namespace kalderon
