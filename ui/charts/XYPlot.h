// Several quantities against one x, drawn offscreen: one chart per
// quantity, the charts in a grid, each column sharing its x axis.
#pragma once

#include "ImageExport.h"

#include <QSize>
#include <QString>

#include <optional>
#include <vector>

namespace ppspin {

struct TXYSeries {
    QString Name;                         // the chart's y title, with its unit
    std::vector<std::optional<double>> Y; // one per x; a missing value breaks the line
};

struct TXYPlot {
    QString Title;  // above the charts; none when empty
    QString XLabel; // with its unit
    std::vector<double> X;
    std::vector<TXYSeries> Series;
};

// Draws plot into path (PNG or SVG by its ending), size pixels: up to four
// charts in one column, more in two. Needs a QApplication; the offscreen
// platform will do. On failure returns false with the reason in *error.
bool RenderXYPlot(const TXYPlot& plot, const QString& path, QSize size = DefaultPlotSize,
                  QString* error = nullptr);

} // namespace ppspin
