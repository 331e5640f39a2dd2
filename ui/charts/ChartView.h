// A chart view that marks the data point nearest to the mouse and shows its
// x and y beside it.
#pragma once

#include <QChartView>
#include <QList>
#include <QString>

class QGraphicsEllipseItem;
class QGraphicsRectItem;
class QGraphicsSimpleTextItem;
class QXYSeries;

namespace ppspin {

// How the callout names a hovered series and its values.
struct THoverSeries {
    QXYSeries* Series = nullptr;
    QString Title; // first line, e.g. the run's name
    QString YName; // e.g. "T"
    QString YUnit; // e.g. "°C"
    // The points the mouse picks from, where the series draws fewer; the
    // series' own when empty.
    QList<QPointF> Points;
};

// Index of the point nearest to target after toScreen maps data to pixels,
// or -1 for no points.
template <typename Points, typename ToScreen>
int NearestPoint(const Points& points, QPointF target, ToScreen toScreen) {
    int best = -1;
    double bestDistance = 0;
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        const QPointF d = toScreen(points[i]) - target;
        const double distance = d.x() * d.x() + d.y() * d.y();
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

class TChartView : public QChartView {
    Q_OBJECT
  public:
    explicit TChartView(QChart* chart, QWidget* parent = nullptr);

    // The series the mouse picks from, and the x quantity's name and unit.
    void SetHoverSeries(const QList<THoverSeries>& series, const QString& xName,
                        const QString& xUnit);

    // Marks the point nearest to a position in view coordinates and returns
    // the callout's text; empty (and nothing shown) outside the plot area.
    QString HoverAt(QPoint position);
    void HideHover();

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QList<THoverSeries> HoverSeries;
    QString XName, XUnit;
    QGraphicsEllipseItem* Marker = nullptr;
    QGraphicsRectItem* Callout = nullptr;
    QGraphicsSimpleTextItem* CalloutText = nullptr;
};

} // namespace ppspin
