#include "ProfileCharts.h"

#include "ChartAxes.h"
#include "ChartView.h"
#include "RunLabels.h"

#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <limits>

namespace ppspin {

namespace {

struct TQuantityInfo {
    int Chart;
    const char* Symbol; // in the hover callout
    const char* Unit;
    const char* Part; // what the series is, where a chart holds two per run
};

constexpr TQuantityInfo Quantities[ProfileQuantityCount] = {
    {TProfileCharts::VelocityChart, "v", "m/min", nullptr},
    {TProfileCharts::TemperatureChart, "T", "\u00b0C", "filament"},
    {TProfileCharts::TemperatureChart, "Ta", "\u00b0C", "air"},
    {TProfileCharts::DiameterChart, "D", "\u00b5m", nullptr},
    {TProfileCharts::TensionChart, "F", "dyn", nullptr},
};

constexpr const char* AxisTitles[TProfileCharts::ChartCount] = {
    "Velocity (m/min)", "Temperature (\u00b0C)", "Diameter (\u00b5m)", "Tension (dyn)"};

constexpr double LineWidth = 2.0;
const QColor GuideColour(110, 110, 110);

// Air temperature is the filament's companion: same colour, dashed.
Qt::PenStyle LineStyle(TProfileQuantity quantity) {
    return quantity == TProfileQuantity::AirTemperature ? Qt::DashLine : Qt::SolidLine;
}

QValueAxis* AxisOf(QChart& chart, Qt::Orientation orientation) {
    return static_cast<QValueAxis*>(chart.axes(orientation).value(0));
}

QLineSeries* AddLine(QChart& chart, const QList<QPointF>& points, const QPen& pen) {
    auto* series = new QLineSeries;
    series->replace(points);
    chart.addSeries(series);
    series->attachAxis(AxisOf(chart, Qt::Horizontal));
    series->attachAxis(AxisOf(chart, Qt::Vertical));
    series->setPen(pen); // after addSeries, or the theme would recolour it
    return series;
}

void HideFromLegend(QChart& chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart.legend()->markers(series))
        marker->setVisible(false);
}

} // namespace

double DisplayedValue(const TProfilePoint& point, TProfileQuantity quantity) {
    switch (quantity) {
    case TProfileQuantity::Velocity:
        return point.VM;
    case TProfileQuantity::Temperature:
        return point.T;
    case TProfileQuantity::AirTemperature:
        return point.TA;
    case TProfileQuantity::Diameter:
        return point.DUm;
    case TProfileQuantity::Tension:
        return point.F;
    }
    return 0;
}

QColor NewestRunColour() {
    return QColor(31, 119, 180);
}

QColor KeptRunColour(int index) {
    static const QColor colours[] = {QColor(255, 127, 14), QColor(44, 160, 44), QColor(214, 39, 40),
                                     QColor(148, 103, 189), QColor(140, 86, 75)};
    constexpr int count = static_cast<int>(std::size(colours));
    return colours[((index % count) + count) % count];
}

TProfileCharts::TProfileCharts(QWidget* parent) : TChartStack(ChartCount, 1, parent) {
    for (int c = 0; c < ChartCount; ++c) {
        QChart& chart = Chart(c);
        auto* x = new QValueAxis;
        auto* y = new QValueAxis;
        y->setTitleText(AxisTitles[c]);
        chart.addAxis(x, Qt::AlignBottom);
        chart.addAxis(y, Qt::AlignLeft);
        // One z axis for the stack: numbered and titled under the last chart only.
        if (c != ChartCount - 1) {
            x->setLabelsVisible(false);
            x->setTitleVisible(false);
        } else {
            x->setTitleText("z (cm)");
        }
        chart.legend()->setVisible(c == VelocityChart);
        chart.legend()->setAlignment(Qt::AlignTop);
        chart.legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    }
    // Zone-end names ride along the top of the first chart's plot area.
    QChart& top = Chart(VelocityChart);
    connect(&top, &QChart::plotAreaChanged, this, [this](const QRectF&) { PlaceZoneLabels(); });
    SetRuns({}, nullptr);
}

void TProfileCharts::SetRuns(const std::vector<TProfileSnapshot>& kept,
                             const TProfileSnapshot* newest) {
    std::vector<const TProfileSnapshot*> runs;
    std::vector<QColor> colours;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        runs.push_back(&kept[i]);
        colours.push_back(KeptRunColour(static_cast<int>(i)));
    }
    if (newest != nullptr) {
        runs.push_back(newest);
        colours.push_back(NewestRunColour());
    }
    std::vector<TRunInput> inputs;
    for (const TProfileSnapshot* run : runs)
        inputs.push_back(run->Input);
    RunNames = RunLabels(inputs);

    RemoveRuns();
    TRanges ranges;
    for (std::size_t r = 0; r < runs.size(); ++r)
        AddRun(*runs[r], colours[r], RunNames[static_cast<int>(r)], ranges);
    SetAxes(ranges);
    AddZoneLines(runs);
    if (!runs.empty())
        AddLineStyleKey();
    AlignPlotAreas();
    PlaceZoneLabels();
}

void TProfileCharts::RemoveRuns() {
    for (int c = 0; c < ChartCount; ++c) {
        View(c).SetHoverSeries({}, {}, {});
        Chart(c).removeAllSeries();
    }
    qDeleteAll(ZoneLabels);
    ZoneLabels.clear();
    RunSeries.clear();
    Hover = {};
}

void TProfileCharts::AddRun(const TProfileSnapshot& run, const QColor& colour, const QString& name,
                            TRanges& ranges) {
    if (!run.Points.empty())
        ranges.ZEnd = std::max(ranges.ZEnd, run.Points.back().Z);
    std::array<QXYSeries*, ProfileQuantityCount> series{};
    for (int q = 0; q < ProfileQuantityCount; ++q) {
        const auto quantity = static_cast<TProfileQuantity>(q);
        const TQuantityInfo& info = Quantities[q];
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(run.Points.size()));
        for (const TProfilePoint& p : run.Points) {
            const double value = DisplayedValue(p, quantity);
            points.append(QPointF(p.Z, value));
            ranges.Lo[info.Chart] = std::min(ranges.Lo[info.Chart], value);
            ranges.Hi[info.Chart] = std::max(ranges.Hi[info.Chart], value);
        }
        QLineSeries* line =
            AddLine(Chart(info.Chart), points, QPen(colour, LineWidth, LineStyle(quantity)));
        line->setName(name);
        series[q] = line;
        QString title = name;
        if (info.Part != nullptr)
            title += QString(", ") + info.Part;
        Hover[info.Chart].append({line, title, info.Symbol, info.Unit});
    }
    RunSeries.push_back(series);
}

void TProfileCharts::SetAxes(const TRanges& ranges) {
    const double zEnd = ranges.ZEnd > 0 ? ranges.ZEnd : TRunInput{}.Z3;
    const double zStep = NiceStep(zEnd, 10);
    for (int c = 0; c < ChartCount; ++c) {
        QChart& chart = Chart(c);
        SetSteppedRange(*AxisOf(chart, Qt::Horizontal), 0, zEnd, zStep, zStep < 1 ? 1 : 0);
        SetNiceRange(*AxisOf(chart, Qt::Vertical), ranges.Lo[c], ranges.Hi[c]);
        View(c).SetHoverSeries(Hover[c], "z", "cm");
    }
}

void TProfileCharts::AddZoneLines(const std::vector<const TProfileSnapshot*>& runs) {
    // Zone ends of every run drawn, each position once.
    std::vector<std::pair<double, QString>> zones;
    for (const TProfileSnapshot* run : runs) {
        for (const auto& zone :
             {std::pair(run->Input.Z1, QString("Z1")), std::pair(run->Input.Z2, QString("Z2"))}) {
            if (std::none_of(zones.begin(), zones.end(),
                             [&](const auto& z) { return z.first == zone.first; }))
                zones.push_back(zone);
        }
    }
    const QPen guide(GuideColour, 1, Qt::DashLine);
    for (int c = 0; c < ChartCount; ++c) {
        QChart& chart = Chart(c);
        const QValueAxis* y = AxisOf(chart, Qt::Vertical);
        for (const auto& zone : zones) {
            QLineSeries* line = AddLine(
                chart, {QPointF(zone.first, y->min()), QPointF(zone.first, y->max())}, guide);
            HideFromLegend(chart, line);
        }
    }
    QChart& top = Chart(VelocityChart);
    for (const auto& zone : zones) {
        auto* label = new QGraphicsSimpleTextItem(zone.second, &top);
        label->setBrush(GuideColour);
        label->setData(0, zone.first);
        ZoneLabels.append(label);
    }
}

void TProfileCharts::AddLineStyleKey() {
    // The temperature chart's two line styles, named once in the legend.
    QChart& top = Chart(VelocityChart);
    AddLine(top, {}, QPen(GuideColour, LineWidth, Qt::SolidLine))->setName("filament T (solid)");
    AddLine(top, {}, QPen(GuideColour, LineWidth, Qt::DashLine))->setName("air T (dashed)");
}

QXYSeries* TProfileCharts::Series(int run, TProfileQuantity quantity) const {
    return RunSeries.at(static_cast<std::size_t>(run)).at(static_cast<std::size_t>(quantity));
}

QString TProfileCharts::RunName(int run) const {
    return RunNames.value(run);
}

void TProfileCharts::PlaceZoneLabels() {
    QChart& top = Chart(VelocityChart);
    const QRectF plot = top.plotArea();
    const QValueAxis* x = AxisOf(top, Qt::Horizontal);
    for (QGraphicsSimpleTextItem* label : ZoneLabels) {
        const double z = label->data(0).toDouble();
        const double span = x->max() - x->min();
        const double px = plot.left() + (span > 0 ? (z - x->min()) / span : 0) * plot.width();
        label->setPos(px + 3, plot.top() + 1);
    }
}

} // namespace ppspin
