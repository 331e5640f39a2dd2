// Charts in a grid, one column or more, their plot areas lined up so that
// an x value falls on the same pixel column in every chart of a column.
#pragma once

#include <QRectF>
#include <QWidget>

#include <optional>
#include <vector>

class QChart;

namespace ppspin {

class TChartView;

class TChartStack : public QWidget {
    Q_OBJECT
  public:
    // count charts filled row by row into columns columns.
    explicit TChartStack(int count, int columns = 1, QWidget* parent = nullptr);

    int Count() const { return static_cast<int>(Views.size()); }
    QChart& Chart(int index) const;
    TChartView& View(int index) const;

    // Lines the plot areas up for the current sizes and contents. Runs by
    // itself after a resize; call it after changing axes or legends.
    void AlignPlotAreas();
    // The same after the axes or legends of the charts changed[i] alone
    // changed: the others are not laid out again to learn what they need.
    void AlignPlotAreas(const std::vector<bool>& changed);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // After the plot areas are lined up anew.
    virtual void PlotAreasAligned() {}

  private:
    void ScheduleAlign();

    std::vector<TChartView*> Views;
    // A chart's plot area as its own layout made it, at the chart's size.
    struct TOwnArea {
        QSizeF At;
        QRectF Area;
    };
    std::vector<std::optional<TOwnArea>> OwnAreas;
    int Columns = 1;
    bool AlignPending = false;
};

} // namespace ppspin
