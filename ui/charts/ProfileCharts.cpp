#include "ProfileCharts.h"

#include "ChartAxes.h"
#include "ChartView.h"
#include "RunLabels.h"
#include "SimplifyLine.h"

#include <QChart>
#include <QFontMetricsF>
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
// Simplified lines keep within this share of a run's own span of each
// coordinate, and the axes span at least as much: within a third of a
// pixel on a plot 2000 pixels across.
constexpr double Resolution = 8192;

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
        Names = names;
    } else {
        std::vector<TRunInput> inputs;
        for (const TProfileSnapshot* run : runs)
            inputs.push_back(run->Input);
        Names = RunLabels(inputs);
    }

    RemoveRuns();
    for (std::size_t r = 0; r < runs.size(); ++r)
        AddRun(*runs[r], colours[r], Names[static_cast<int>(r)]);
    AddMarkers();
    NewestDrawn = newest != nullptr;
    FitAxes();
    for (std::size_t r = 0; r < runs.size(); ++r)
        Draw(RunSeries[r], RunPoints[r]);
    SetHover();
    AddZoneLines();
    if (!runs.empty())
        AddLineStyleKey();
    AlignPlotAreas();
    PlaceZoneLabels();
}

bool TProfileCharts::ReplaceNewest(const TProfileSnapshot& newest) {
    if (!NewestDrawn || RunSeries.empty())
        return false;
    RunRanges.back() = PointsOf(newest, RunPoints.back());
    RunZoneEnds.back() = {newest.Input.Z1, newest.Input.Z2};
    // The axes first: a series then lays its new points out once, on the
    // axes it will be drawn on.
    const std::array<bool, ChartCount> moved = FitAxes();
    Draw(RunSeries.back(), RunPoints.back());
    if (Zones() != ShownZones) {
        RemoveZoneLines();
        AddZoneLines();
    } else {
        // The lines span the value axes.
        for (int c = 0; c < ChartCount; ++c)
            if (moved[c])
                SpanZoneLines(c);
    }
    if (std::find(moved.begin(), moved.end(), true) != moved.end())
        // New tick labels may be wider or narrower.
        AlignPlotAreas(std::vector<bool>(moved.begin(), moved.end()));
    PlaceZoneLabels();
    // A callout would name a value no longer drawn.
    SetHover();
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
    RunPoints.clear();
    RunRanges.clear();
    RunZoneEnds.clear();
    NewestDrawn = false;
}

void TProfileCharts::AddRun(const TProfileSnapshot& run, const QColor& colour,
                            const QString& name) {
    std::array<QXYSeries*, ProfileQuantityCount> series{};
    for (int q = 0; q < ProfileQuantityCount; ++q) {
        const auto quantity = static_cast<TProfileQuantity>(q);
        QLineSeries* line =
            AddLine(Chart(Quantities[q].Chart), {}, QPen(colour, LineWidth, LineStyle(quantity)));
        line->setName(name);
        series[q] = line;
    }
    RunSeries.push_back(series);
    RunPoints.emplace_back();
    RunRanges.push_back(PointsOf(run, RunPoints.back()));
    RunZoneEnds.emplace_back(run.Input.Z1, run.Input.Z2);
}

TProfileCharts::TRanges TProfileCharts::PointsOf(const TProfileSnapshot& run, TRunPoints& points) {
    TRanges ranges;
    // The grid's end, not the last z summed up step by step: at an
    // increment of 0.1 that is 99.9999999999986, and the axis would stop
    // short of its last tick.
    if (!run.Points.empty())
        ranges.ZEnd = static_cast<double>(run.Points.size() - 1) * run.Input.Dz;
    for (int q = 0; q < ProfileQuantityCount; ++q) {
        const auto quantity = static_cast<TProfileQuantity>(q);
        const int chart = Quantities[q].Chart;
        QList<QPointF>& line = points[q];
        line.clear();
        line.reserve(static_cast<qsizetype>(run.Points.size()));
        for (const TProfilePoint& p : run.Points) {
            const double value = DisplayedValue(p, quantity);
            line.append(QPointF(p.Z, value));
            ranges.Lo[chart] = std::min(ranges.Lo[chart], value);
            ranges.Hi[chart] = std::max(ranges.Hi[chart], value);
        }
    }
    return ranges;
}

void TProfileCharts::Draw(const std::array<QXYSeries*, ProfileQuantityCount>& series,
                          const TRunPoints& points) const {
    for (int q = 0; q < ProfileQuantityCount; ++q) {
        const QList<QPointF>& line = points[q];
        if (!Simplified || line.isEmpty()) {
            // One replacement redraws the series once, however many points change.
            series[q]->replace(line);
            continue;
        }
        // Within a share of the run's own spans, which the axes' spans
        // hold: the chart's two values of a quantity each by its own.
        double lo = line.front().y(), hi = lo;
        for (const QPointF& p : line)
            lo = std::min(lo, p.y()), hi = std::max(hi, p.y());
        series[q]->replace(
            SimplifyLine(line, line.back().x() / Resolution, (hi - lo) / Resolution));
    }
}

std::array<bool, TProfileCharts::ChartCount> TProfileCharts::FitAxes() {
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
    std::array<bool, ChartCount> changed{};
    for (int c = 0; c < ChartCount; ++c) {
        QChart& chart = Chart(c);
        changed[c] = fit(*AxisOf(chart, Qt::Horizontal), [&](QValueAxis& axis) {
            SetSteppedRange(axis, 0, zEnd, zStep, zStep < 1 ? 1 : 0);
        });
        changed[c] |= fit(*AxisOf(chart, Qt::Vertical), [&](QValueAxis& axis) {
            SetNiceRange(axis, ranges.Lo[c], ranges.Hi[c]);
        });
    }
    return changed;
}

void TProfileCharts::SetHover() {
    std::array<QList<THoverSeries>, ChartCount> hover;
    for (std::size_t r = 0; r < RunSeries.size(); ++r) {
        for (int q = 0; q < ProfileQuantityCount; ++q) {
            const TQuantityInfo& info = Quantities[q];
            QString title = Names.value(static_cast<int>(r));
            if (info.Part != nullptr)
                title += QString(", ") + info.Part;
            hover[info.Chart].append(
                {RunSeries[r][q], title, info.Symbol, info.Unit, RunPoints[r][q]});
        }
    }
    for (int c = 0; c < ChartCount; ++c)
        View(c).SetHoverSeries(hover[c], "z", "cm");
}

TProfileCharts::TZones TProfileCharts::Zones() const {
    // Each position once. A line that is not every run's names the runs
    // whose end it is: "Z2 #1", "Z2 #2, #3".
    TZones zones;
    for (const char* zone : {"Z1", "Z2"}) {
        std::vector<double> positions;
        for (const auto& ends : RunZoneEnds) {
            const double z = zone[1] == '1' ? ends.first : ends.second;
            if (std::find(positions.begin(), positions.end(), z) == positions.end())
                positions.push_back(z);
        }
        for (const double z : positions) {
            QStringList runs;
            for (std::size_t r = 0; r < RunZoneEnds.size(); ++r) {
                const auto& ends = RunZoneEnds[r];
                if ((zone[1] == '1' ? ends.first : ends.second) == z)
                    runs << Names.value(static_cast<int>(r));
            }
            QString label = zone;
            if (runs.size() < static_cast<qsizetype>(RunZoneEnds.size()))
                label += " " + runs.join(", ");
            const auto at = std::find_if(zones.begin(), zones.end(),
                                         [&](const auto& shown) { return shown.first == z; });
            if (at == zones.end())
                zones.emplace_back(z, label);
            else
                at->second += "; " + label; // Z1 of one run where Z2 of another
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
        for (std::size_t k = 0; k < ShownZones.size(); ++k) {
            QLineSeries* line = AddLine(chart, {}, guide);
            HideFromLegend(chart, line);
            ZoneLines[c].append(line);
        }
        SpanZoneLines(c);
    }
    QChart& top = Chart(VelocityChart);
    for (const auto& zone : ShownZones) {
        auto* label = new QGraphicsSimpleTextItem(zone.second, &top);
        label->setBrush(GuideColour);
        label->setData(0, zone.first);
        ZoneLabels.append(label);
    }
}

void TProfileCharts::SpanZoneLines(int chart) {
    const QValueAxis* y = AxisOf(Chart(chart), Qt::Vertical);
    for (std::size_t k = 0; k < ShownZones.size(); ++k) {
        const double z = ShownZones[k].first;
        ZoneLines[chart][static_cast<qsizetype>(k)]->replace(
            {QPointF(z, y->min()), QPointF(z, y->max())});
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
    return Names.value(run);
}

void TProfileCharts::PlaceZoneLabels() {
    QChart& top = Chart(VelocityChart);
    const QRectF plot = top.plotArea();
    const QValueAxis* x = AxisOf(top, Qt::Horizontal);
    const double span = x->max() - x->min();
    std::vector<std::pair<double, QGraphicsSimpleTextItem*>> labels;
    for (QGraphicsSimpleTextItem* label : std::as_const(ZoneLabels)) {
        const double z = label->data(0).toDouble();
        labels.emplace_back(plot.left() + (span > 0 ? (z - x->min()) / span : 0) * plot.width(),
                            label);
    }
    std::stable_sort(labels.begin(), labels.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    // From left to right, each in the first row where it clears the label
    // before it: the runs' names can make labels of near lines overlap.
    std::vector<double> rowEnds;
    for (const auto& [px, label] : labels) {
        std::size_t row = 0;
        while (row < rowEnds.size() && rowEnds[row] > px)
            ++row;
        if (row == rowEnds.size())
            rowEnds.push_back(0);
        rowEnds[row] = px + 3 + label->boundingRect().width() + 4;
        label->setPos(px + 3,
                      plot.top() + 1 + static_cast<double>(row) * label->boundingRect().height());
    }
}

void TProfileCharts::PlotAreasAligned() {
    // The legend's rows come out of the velocity chart's height: on screen
    // it stays tall enough for its axis title to be read whole. A picture
    // keeps the layout of its size.
    if (testAttribute(Qt::WA_DontShowOnScreen))
        return;
    QChart& chart = Chart(VelocityChart);
    const QValueAxis* y = AxisOf(chart, Qt::Vertical);
    TChartView& view = View(VelocityChart);
    const double title = QFontMetricsF(y->titleFont()).horizontalAdvance(y->titleText());
    const double around = view.height() - chart.plotArea().height();
    if (view.height() > 0 && chart.plotArea().height() > 0)
        view.setMinimumHeight(static_cast<int>(std::ceil(title + around)) + 8);
}

} // namespace ppspin
