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
    AlignPlotAreas(std::vector<bool>(Views.size(), true));
}

void TChartStack::AlignPlotAreas(const std::vector<bool>& changed) {
    AlignPending = false;
    OwnAreas.resize(Views.size());
    for (int column = 0; column < Columns; ++column) {
        std::vector<int> charts;
        for (int i = column; i < Count(); i += Columns) {
            if (!Views[i]->chart()->size().isEmpty())
                charts.push_back(i);
        }
        if (charts.empty())
            continue;
        // Each chart's own layout first: the widest axis labels decide. A
        // chart that is as it was, at the size it was, keeps its own.
        std::vector<bool> freed(Views.size(), false);
        double left = 0, right = 0;
        bool first = true;
        for (int i : charts) {
            QChart* c = Views[i]->chart();
            std::optional<TOwnArea>& own = OwnAreas[i];
            if (changed.at(i) || !own || own->At != c->size()) {
                c->setPlotArea(QRectF());
                // Clearing the fixed area alone does not lay the chart out again.
                c->layout()->invalidate();
                c->layout()->activate();
                own = TOwnArea{c->size(), c->plotArea()};
                freed[i] = true;
            }
            left = first ? own->Area.left() : std::max(left, own->Area.left());
            right = first ? own->Area.right() : std::min(right, own->Area.right());
            first = false;
        }
        if (right <= left)
            continue;
        for (int i : charts) {
            QChart* c = Views[i]->chart();
            const QRectF& own = OwnAreas[i]->Area;
            const QRectF area(QPointF(left, own.top()), QPointF(right, own.bottom()));
            if (!freed[i] && c->plotArea() == area)
                continue;
            c->setPlotArea(area);
            c->layout()->invalidate();
            c->layout()->activate();
        }
    }
    PlotAreasAligned();
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
