#include "ChartView.h"

#include <QBrush>
#include <QChart>
#include <QGraphicsEllipseItem>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QLocale>
#include <QMouseEvent>
#include <QPen>
#include <QXYSeries>

#include <algorithm>

namespace ppspin {

namespace {

// Enough digits to tell neighbouring points apart, in the user's notation.
QString ValueText(double value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 6);
}

constexpr double MarkerRadius = 4.0;

} // namespace

TChartView::TChartView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);
    // The viewport receives the mouse: hover needs moves without a button.
    setMouseTracking(true);
    viewport()->setMouseTracking(true);

    // Above the series; hidden until the mouse is over the plot area.
    Marker = new QGraphicsEllipseItem(chart);
    Marker->setZValue(20);
    Marker->setBrush(Qt::white);
    Marker->hide();
    Callout = new QGraphicsRectItem(chart);
    Callout->setZValue(21);
    Callout->setBrush(QColor(255, 255, 255, 235));
    Callout->setPen(QPen(QColor(120, 120, 120)));
    Callout->hide();
    CalloutText = new QGraphicsSimpleTextItem(Callout);
}

void TChartView::SetHoverSeries(const QList<THoverSeries>& series, const QString& xName,
                                const QString& xUnit) {
    HoverSeries = series;
    XName = xName;
    XUnit = xUnit;
    HideHover();
}

QString TChartView::HoverAt(QPoint position) {
    QChart* c = chart();
    const QPointF inChart = c->mapFromScene(mapToScene(position));
    const QRectF plot = c->plotArea();
    if (!plot.adjusted(-MarkerRadius, -MarkerRadius, MarkerRadius, MarkerRadius)
             .contains(inChart)) {
        HideHover();
        return {};
    }

    const THoverSeries* bestSeries = nullptr;
    QPointF bestPoint, bestScreen;
    double bestDistance = 0;
    for (const THoverSeries& h : HoverSeries) {
        if (h.Series == nullptr || !h.Series->isVisible())
            continue;
        const QList<QPointF> points = h.Points.isEmpty() ? h.Series->points() : h.Points;
        const auto toScreen = [&](QPointF p) { return c->mapToPosition(p, h.Series); };
        const int i = NearestPoint(points, inChart, toScreen);
        if (i < 0)
            continue;
        const QPointF screen = toScreen(points[i]);
        const QPointF d = screen - inChart;
        const double distance = d.x() * d.x() + d.y() * d.y();
        if (bestSeries == nullptr || distance < bestDistance) {
            bestSeries = &h;
            bestPoint = points[i];
            bestScreen = screen;
            bestDistance = distance;
        }
    }
    if (bestSeries == nullptr) {
        HideHover();
        return {};
    }

    const QString text = bestSeries->Title + '\n' + XName + " = " + ValueText(bestPoint.x()) + ' ' +
                         XUnit + '\n' + bestSeries->YName + " = " + ValueText(bestPoint.y()) + ' ' +
                         bestSeries->YUnit;

    Marker->setRect(bestScreen.x() - MarkerRadius, bestScreen.y() - MarkerRadius, 2 * MarkerRadius,
                    2 * MarkerRadius);
    Marker->setPen(QPen(bestSeries->Series->color(), 2));
    Marker->show();

    CalloutText->setText(text);
    const QRectF textRect = CalloutText->boundingRect();
    const QSizeF box(textRect.width() + 12, textRect.height() + 8);
    CalloutText->setPos(6, 4);
    // Right of and above the point, flipped where it would leave the plot area.
    QPointF corner(bestScreen.x() + 10, bestScreen.y() - box.height() - 10);
    if (corner.x() + box.width() > plot.right())
        corner.setX(std::max(plot.left(), bestScreen.x() - 10 - box.width()));
    if (corner.y() < plot.top())
        corner.setY(bestScreen.y() + 10);
    Callout->setRect(QRectF(QPointF(0, 0), box));
    Callout->setPos(corner);
    Callout->show();
    return text;
}

void TChartView::HideHover() {
    Marker->hide();
    Callout->hide();
}

void TChartView::mouseMoveEvent(QMouseEvent* event) {
    HoverAt(event->position().toPoint());
    QChartView::mouseMoveEvent(event);
}

void TChartView::leaveEvent(QEvent* event) {
    HideHover();
    QChartView::leaveEvent(event);
}

} // namespace ppspin
