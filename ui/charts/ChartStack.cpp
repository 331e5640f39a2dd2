#include "ChartStack.h"

#include "ChartView.h"

#include <QChart>
#include <QEvent>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QTimer>

#include <algorithm>

namespace ppspin {

TChartStack::TChartStack(int count, int columns, QWidget* parent)
    : QWidget(parent), Columns(std::max(1, columns)) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    for (int i = 0; i < count; ++i) {
        auto* chart = new QChart;
        chart->setBackgroundRoundness(0);
        chart->setMargins(QMargins(4, 2, 14, 2));
        chart->layout()->setContentsMargins(0, 0, 0, 0);
        auto* view = new TChartView(chart, this);
        view->installEventFilter(this);
        Views.push_back(view);
        grid->addWidget(view, i / Columns, i % Columns);
    }
}

QChart& TChartStack::Chart(int index) const {
    return *Views.at(index)->chart();
}

TChartView& TChartStack::View(int index) const {
    return *Views.at(index);
}

void TChartStack::AlignPlotAreas() {
    AlignPending = false;
    for (int column = 0; column < Columns; ++column) {
        std::vector<QChart*> charts;
        for (int i = column; i < Count(); i += Columns) {
            QChart* c = Views[i]->chart();
            if (!c->size().isEmpty())
                charts.push_back(c);
        }
        if (charts.empty())
            continue;
        // Each chart's own layout first: the widest axis labels decide.
        double left = 0, right = 0;
        bool first = true;
        for (QChart* c : charts) {
            c->setPlotArea(QRectF());
            // Clearing the fixed area alone does not lay the chart out again.
            c->layout()->invalidate();
            c->layout()->activate();
            const QRectF area = c->plotArea();
            left = first ? area.left() : std::max(left, area.left());
            right = first ? area.right() : std::min(right, area.right());
            first = false;
        }
        if (right <= left)
            continue;
        for (QChart* c : charts) {
            const QRectF area = c->plotArea();
            c->setPlotArea(QRectF(QPointF(left, area.top()), QPointF(right, area.bottom())));
            c->layout()->invalidate();
            c->layout()->activate();
        }
    }
}

bool TChartStack::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize)
        ScheduleAlign();
    return QWidget::eventFilter(watched, event);
}

void TChartStack::ScheduleAlign() {
    // All views of a grid resize together: line them up once, afterwards.
    if (AlignPending)
        return;
    AlignPending = true;
    QTimer::singleShot(0, this, [this] {
        if (AlignPending)
            AlignPlotAreas();
    });
}

} // namespace ppspin
