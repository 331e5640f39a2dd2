// Measured minus model against z: one chart per measured quantity, stacked
// over a shared z axis, each with its zero line.
#pragma once

#include "ChartStack.h"
#include "ImageExport.h"
#include "MeasuredPictures.h"

#include <QSize>
#include <QString>

namespace ppspin {

class TResidualCharts : public TChartStack {
    Q_OBJECT
  public:
    explicit TResidualCharts(const TResidualPlot& plot, QWidget* parent = nullptr);
};

// Draws plot into path (PNG or SVG by its ending), size pixels. Needs a
// QApplication; the offscreen platform will do. On failure returns false
// with the reason in *error.
bool RenderResidualPlot(const TResidualPlot& plot, const QString& path,
                        QSize size = DefaultPlotSize, QString* error = nullptr);

} // namespace ppspin
