#pragma once

#include <cstdint>

#include "charts/ChartTypes.h"

namespace kalderon {

// A pen: widths above 1 are drawn as that many parallel one-unit lines.
struct CLineStyle {
    ColorRef lineColor = Rgb(0, 0, 0);
    std::int32_t lineWidth = 1;
    std::int32_t penStyle = kPenSolid;

    bool operator==(const CLineStyle&) const = default;
};

enum MarkerSymbol : std::int32_t {
    kSymbolNone = 0,
    kSymbolCircle = 1,
    kSymbolSquare = 2,
    kSymbolTriangle = 3,
    kSymbolDiagonalCross = 4,
    kSymbolUprightCross = 5,
    kSymbolVerticalBar = 6,
};

// markerSize is half the extent of the symbol.
struct CMarkerStyle {
    ColorRef lineColor = Rgb(0, 0, 0);
    ColorRef fillColor = Rgb(128, 128, 128);
    std::int32_t markerSize = 5;
    std::int32_t symbol = kSymbolCircle;

    bool operator==(const CMarkerStyle&) const = default;
};

// The look of one data series (one group of the analysis).
struct CSeriesStyle {
    std::int32_t showSeries = 1;
    std::int32_t showCI = 1;
    CLineStyle survivalLine;
    CLineStyle ciLine;
    CMarkerStyle marker;

    bool operator==(const CSeriesStyle&) const = default;
};

}  // namespace kalderon
