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
    TrialAxis = new QValueAxis(this);
    SetRuns({}, nullptr);
}

void TProfileCharts::SetRuns(const std::vector<TProfileSnapshot>& kept,
                             const TProfileSnapshot* newest, const QStringList& names) {
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
    if (names.size() >= static_cast<qsizetype>(runs.size())) {
        RunNames = names;
    } else {
        std::vector<TRunInput> inputs;
        for (const TProfileSnapshot* run : runs)
            inputs.push_back(run->Input);
        RunNames = RunLabels(inputs);
    }

    RemoveRuns();
    for (std::size_t r = 0; r < runs.size(); ++r)
        AddRun(*runs[r], colours[r], RunNames[static_cast<int>(r)]);
    AddMarkers();
    NewestDrawn = newest != nullptr;
    FitAxes();
    for (int c = 0; c < ChartCount; ++c)
        View(c).SetHoverSeries(Hover[c], "z", "cm");
    AddZoneLines();
    if (!runs.empty())
        AddLineStyleKey();
    AlignPlotAreas();
    PlaceZoneLabels();
}

bool TProfileCharts::ReplaceNewest(const TProfileSnapshot& newest) {
    if (!NewestDrawn || RunSeries.empty())
        return false;
    RunRanges.back() = SetPoints(RunSeries.back(), newest);
    RunZoneEnds.back() = {newest.Input.Z1, newest.Input.Z2};
    const bool axesChanged = FitAxes();
    if (axesChanged || Zones() != ShownZones) {
        // The lines span the value axes, and the labels follow the lines.
        RemoveZoneLines();
        AddZoneLines();
    }
    if (axesChanged)
        AlignPlotAreas(); // new tick labels may be wider or narrower
    PlaceZoneLabels();
    // A callout would name a value no longer drawn.
    for (int c = 0; c < ChartCount; ++c)
        View(c).HideHover();
    return true;
}

void TProfileCharts::TRanges::Add(const TRanges& other) {
    ZEnd = std::max(ZEnd, other.ZEnd);
    for (int c = 0; c < ChartCount; ++c) {
        Lo[c] = std::min(Lo[c], other.Lo[c]);
        Hi[c] = std::max(Hi[c], other.Hi[c]);
    }
}

void TProfileCharts::RemoveRuns() {
    for (int c = 0; c < ChartCount; ++c) {
        View(c).SetHoverSeries({}, {}, {});
        Chart(c).removeAllSeries();
        ZoneLines[c].clear();
    }
    qDeleteAll(ZoneLabels);
    ZoneLabels.clear();
    ShownZones.clear();
    RunSeries.clear();
    RunRanges.clear();
    RunZoneEnds.clear();
    NewestDrawn = false;
    Hover = {};
}

void TProfileCharts::AddRun(const TProfileSnapshot& run, const QColor& colour,
                            const QString& name) {
    std::array<QXYSeries*, ProfileQuantityCount> series{};
    for (int q = 0; q < ProfileQuantityCount; ++q) {
        const auto quantity = static_cast<TProfileQuantity>(q);
        const TQuantityInfo& info = Quantities[q];
        QLineSeries* line =
            AddLine(Chart(info.Chart), {}, QPen(colour, LineWidth, LineStyle(quantity)));
        line->setName(name);
        series[q] = line;
        QString title = name;
        if (info.Part != nullptr)
            title += QString(", ") + info.Part;
        Hover[info.Chart].append({line, title, info.Symbol, info.Unit});
    }
    RunSeries.push_back(series);
    RunRanges.push_back(SetPoints(series, run));
    RunZoneEnds.emplace_back(run.Input.Z1, run.Input.Z2);
}

TProfileCharts::TRanges
TProfileCharts::SetPoints(const std::array<QXYSeries*, ProfileQuantityCount>& series,
                          const TProfileSnapshot& run) {
    TRanges ranges;
    if (!run.Points.empty())
        ranges.ZEnd = run.Points.back().Z;
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(run.Points.size()));
    for (int q = 0; q < ProfileQuantityCount; ++q) {
        const auto quantity = static_cast<TProfileQuantity>(q);
        const int chart = Quantities[q].Chart;
        points.clear();
        for (const TProfilePoint& p : run.Points) {
            const double value = DisplayedValue(p, quantity);
            points.append(QPointF(p.Z, value));
            ranges.Lo[chart] = std::min(ranges.Lo[chart], value);
            ranges.Hi[chart] = std::max(ranges.Hi[chart], value);
        }
        // One replacement redraws the series once, however many points change.
        series[q]->replace(points);
    }
    return ranges;
}

bool TProfileCharts::FitAxes() {
    TRanges ranges;
    for (const TRanges& run : RunRanges)
        ranges.Add(run);
    ranges.Add(MarkerRanges);
    const double zEnd = ranges.ZEnd > 0 ? ranges.ZEnd : TRunInput{}.Z3;
    const double zStep = NiceStep(zEnd, 10);
    const auto fit = [this](QValueAxis& axis, const auto& layOut) {
        layOut(*TrialAxis);
        if (TrialAxis->min() == axis.min() && TrialAxis->max() == axis.max() &&
            TrialAxis->tickInterval() == axis.tickInterval() &&
            TrialAxis->tickAnchor() == axis.tickAnchor() &&
            TrialAxis->labelFormat() == axis.labelFormat() &&
            axis.tickType() == QValueAxis::TicksDynamic)
            return false;
        layOut(axis);
        return true;
    };
    bool changed = false;
    for (int c = 0; c < ChartCount; ++c) {
        QChart& chart = Chart(c);
        changed |= fit(*AxisOf(chart, Qt::Horizontal), [&](QValueAxis& axis) {
            SetSteppedRange(axis, 0, zEnd, zStep, zStep < 1 ? 1 : 0);
        });
        changed |= fit(*AxisOf(chart, Qt::Vertical), [&](QValueAxis& axis) {
            SetNiceRange(axis, ranges.Lo[c], ranges.Hi[c]);
        });
    }
    return changed;
}

TProfileCharts::TZones TProfileCharts::Zones() const {
    // Zone ends of every run drawn, each position once.
    TZones zones;
    for (const auto& [z1, z2] : RunZoneEnds) {
        for (const auto& zone : {std::pair(z1, QString("Z1")), std::pair(z2, QString("Z2"))}) {
            if (std::none_of(zones.begin(), zones.end(),
                             [&](const auto& z) { return z.first == zone.first; }))
                zones.push_back(zone);
        }
    }
    return zones;
}

void TProfileCharts::RemoveZoneLines() {
    for (int c = 0; c < ChartCount; ++c) {
        for (QXYSeries* line : std::as_const(ZoneLines[c])) {
            Chart(c).removeSeries(line);
            delete line;
        }
        ZoneLines[c].clear();
    }
    qDeleteAll(ZoneLabels);
    ZoneLabels.clear();
    ShownZones.clear();
}

void TProfileCharts::AddZoneLines() {
    ShownZones = Zones();
    const QPen guide(GuideColour, 1, Qt::DashLine);
    for (int c = 0; c < ChartCount; ++c) {
        QChart& chart = Chart(c);
        const QValueAxis* y = AxisOf(chart, Qt::Vertical);
        for (const auto& zone : ShownZones) {
            QLineSeries* line = AddLine(
                chart, {QPointF(zone.first, y->min()), QPointF(zone.first, y->max())}, guide);
            HideFromLegend(chart, line);
            ZoneLines[c].append(line);
        }
    }
    QChart& top = Chart(VelocityChart);
    for (const auto& zone : ShownZones) {
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
