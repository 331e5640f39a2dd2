// The four profile charts stacked over the shared position axis z:
// velocity, filament and air temperature, diameter, tension, with the zone
// ends Z1 and Z2 as vertical lines, each run's marked where runs differ.
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

    // Lines drawn through no more points than their shapes need (within a
    // third of a pixel on a plot 2000 pixels across), as Live at a fine
    // increment needs to keep up; the hover still names every grid point.
    // Off, every point is drawn. Takes effect at the next SetRuns.
    void SetSimplified(bool on) { Simplified = on; }

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
    // The legend's name of a run, and of every run drawn.
    QString RunName(int run) const;
    const QStringList& RunNames() const { return Names; }

  protected:
    void PlotAreasAligned() override;

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
    using TRunPoints = std::array<QList<QPointF>, ProfileQuantityCount>;

    void RemoveRuns();
    void AddRun(const TProfileSnapshot& run, const QColor& colour, const QString& name);
    // A run's points in displayed units, and what they span.
    static TRanges PointsOf(const TProfileSnapshot& run, TRunPoints& points);
    // Gives a run's series its points, as many as drawing them needs.
    void Draw(const std::array<QXYSeries*, ProfileQuantityCount>& series,
              const TRunPoints& points) const;
    // Fits the axes to every run drawn; by chart, whether an axis changed.
    std::array<bool, ChartCount> FitAxes();
    // The mouse picks from every grid point of every run.
    void SetHover();
    TZones Zones() const;
    void RemoveZoneLines();
    void AddZoneLines();
    // The zone lines of a chart from the foot of its value axis to its top.
    void SpanZoneLines(int chart);
    void AddLineStyleKey();
    void PlaceZoneLabels();
    void AddMarkers(); // in ProfileMarkers.cpp

    bool Simplified = false;
    std::vector<std::array<QXYSeries*, ProfileQuantityCount>> RunSeries;
    std::vector<TRunPoints> RunPoints;                  // by run, as RunSeries
    std::vector<TRanges> RunRanges;                     // by run, as RunSeries
    std::vector<std::pair<double, double>> RunZoneEnds; // Z1 and Z2 by run
    bool NewestDrawn = false;
    QStringList Names;
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
