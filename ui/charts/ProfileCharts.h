// The four profile charts stacked over the shared position axis z:
// velocity, filament and air temperature, diameter, tension, with the zone
// ends Z1 and Z2 as vertical lines.
#pragma once

#include "ChartStack.h"
#include "ChartView.h"
#include "MeasuredPictures.h"
#include "ProfileSnapshot.h"

#include <QColor>

#include <array>
#include <limits>
#include <vector>

class QGraphicsSimpleTextItem;
class QValueAxis;
class QXYSeries;

namespace ppspin {

// The quantities drawn, each a series per run.
enum class TProfileQuantity { Velocity, Temperature, AirTemperature, Diameter, Tension };
inline constexpr int ProfileQuantityCount = 5;

// A point's value as drawn: m/min, degC, um (the diameter is kept in cm), dyn.
double DisplayedValue(const TProfilePoint& point, TProfileQuantity quantity);

// Colours of the newest run and of the kept runs, by the order they were kept.
QColor NewestRunColour();
QColor KeptRunColour(int index);

class TProfileCharts : public TChartStack {
    Q_OBJECT
  public:
    enum { VelocityChart, TemperatureChart, DiameterChart, TensionChart, ChartCount };

    explicit TProfileCharts(QWidget* parent = nullptr);

    // Draws the kept runs in their own colours and, when given, the newest,
    // named in the legend by names (kept ones first), or by the inputs in
    // which they differ when names is empty.
    void SetRuns(const std::vector<TProfileSnapshot>& kept, const TProfileSnapshot* newest,
                 const QStringList& names = {});
    // Redraws the newest run drawn as newest, keeping its name: its series
    // take the new points, and the axes and zone lines change only where the
    // new values move them. False, and nothing changed, without a newest run.
    bool ReplaceNewest(const TProfileSnapshot& newest);

    // Marks measured points on their quantities' charts, over the runs,
    // from the next SetRuns on; the axes take them in.
    void SetMarkers(std::vector<TMeasuredMarkers> markers);

    // Runs drawn, kept ones first.
    int RunCount() const { return static_cast<int>(RunSeries.size()); }
    // The series of one quantity of one run (index as in RunCount).
    QXYSeries* Series(int run, TProfileQuantity quantity) const;
    // The legend's name of a run.
    QString RunName(int run) const;

  private:
    // What runs' values span: z from 0, and each chart's values.
    struct TRanges {
        double ZEnd = 0;
        std::array<double, ChartCount> Lo = Filled(std::numeric_limits<double>::infinity());
        std::array<double, ChartCount> Hi = Filled(-std::numeric_limits<double>::infinity());
        static std::array<double, ChartCount> Filled(double value) {
            std::array<double, ChartCount> a;
            a.fill(value);
            return a;
        }
        void Add(const TRanges& other);
    };
    using TZones = std::vector<std::pair<double, QString>>;

    void RemoveRuns();
    void AddRun(const TProfileSnapshot& run, const QColor& colour, const QString& name);
    // Fills a run's series with its points; returns what they span.
    TRanges SetPoints(const std::array<QXYSeries*, ProfileQuantityCount>& series,
                      const TProfileSnapshot& run);
    // Fits the axes to every run drawn; true when any axis changed.
    bool FitAxes();
    TZones Zones() const;
    void RemoveZoneLines();
    void AddZoneLines();
    void AddLineStyleKey();
    void PlaceZoneLabels();
    void AddMarkers(); // in ProfileMarkers.cpp

    std::vector<std::array<QXYSeries*, ProfileQuantityCount>> RunSeries;
    std::vector<TRanges> RunRanges;                // by run, as RunSeries
    std::vector<std::pair<double, double>> RunZoneEnds; // Z1 and Z2 by run
    bool NewestDrawn = false;
    std::array<QList<THoverSeries>, ChartCount> Hover;
    QStringList RunNames;
    TZones ShownZones;
    std::array<QList<QXYSeries*>, ChartCount> ZoneLines;
    QList<QGraphicsSimpleTextItem*> ZoneLabels;
    // Axes are first laid out here, and copied to a chart's only when they
    // differ: an unchanged axis costs the chart no new layout.
    QValueAxis* TrialAxis = nullptr;
    std::vector<TMeasuredMarkers> Markers;
    TRanges MarkerRanges;
};

} // namespace ppspin
