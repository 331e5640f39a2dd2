// Several quantities against one x: one chart per quantity, the charts in a
// grid, each column sharing its x axis. A page of them in a window, drawn
// anew as the data grow, or written offscreen to a picture.
#pragma once

#include "ImageExport.h"

#include <QSize>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QVBoxLayout;

namespace ppspin {

class TChartStack;

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

// The charts of a plot: up to four in one column, more in two.
class TXYPlotPage : public QWidget {
    Q_OBJECT
  public:
    explicit TXYPlotPage(QWidget* parent = nullptr);

    // Draws plot in place of what was drawn.
    void SetPlot(const TXYPlot& plot);
    const TXYPlot& Plot() const { return Shown; }
    TChartStack* Stack() const { return Charts; }
    // The index of the x nearest to position in the view of a chart; -1
    // outside the charts' plot areas.
    int PointAt(const QWidget* view, QPoint position) const;

  signals:
    // A point picked with the mouse: clicked, or double-clicked.
    void PointClicked(int index);
    void PointActivated(int index);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void MakeCharts(int count, int columns);

    TXYPlot Shown;
    QVBoxLayout* Layout = nullptr;
    QLabel* Title = nullptr;
    TChartStack* Charts = nullptr;
};

// Draws plot into path (PNG or SVG by its ending), size pixels. Needs a
// QApplication; the offscreen platform will do. On failure returns false
// with the reason in *error.
bool RenderXYPlot(const TXYPlot& plot, const QString& path, QSize size = DefaultPlotSize,
                  QString* error = nullptr);

} // namespace ppspin
