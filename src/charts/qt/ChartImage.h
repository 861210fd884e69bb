#pragma once

#include <QImage>
#include <string>

namespace kalderon {

class LifeTableChart;

// These make the application object images need when there is none.

// The chart drawn on a white width x height picture, as in a window of that
// client size; std::bad_alloc when there is no room for the picture.
QImage RenderChartImage(LifeTableChart& chart, int width, int height);

// Writes the chart as a PNG or an SVG file; false when the file cannot be
// written.
bool WriteChartPng(LifeTableChart& chart, const std::string& path, int width, int height);
bool WriteChartSvg(LifeTableChart& chart, const std::string& path, int width, int height);
// A one-page PDF file whose page is width x height points.
bool WriteChartPdf(LifeTableChart& chart, const std::string& path, int width, int height);

}  // namespace kalderon
