// The four profile charts stacked over the shared position axis z:
// velocity, filament and air temperature, diameter, tension, with the zone
// ends Z1 and Z2 as vertical lines.
#pragma once

#include "ChartStack.h"
#include "ChartView.h"
#include "ProfileSnapshot.h"

#include <QColor>

#include <array>
#include <limits>
#include <vector>

class QGraphicsSimpleTextItem;
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

    // Draws the kept runs in their own colours and, when given, the newest.
    void SetRuns(const std::vector<TProfileSnapshot>& kept, const TProfileSnapshot* newest);

    // Runs drawn, kept ones first.
    int RunCount() const { return static_cast<int>(RunSeries.size()); }
    // The series of one quantity of one run (index as in RunCount).
    QXYSeries* Series(int run, TProfileQuantity quantity) const;
    // The legend's name of a run.
    QString RunName(int run) const;

  private:
    // What the runs' values span: z from 0, and each chart's values.
    struct TRanges {
        double ZEnd = 0;
        std::array<double, ChartCount> Lo = Filled(std::numeric_limits<double>::infinity());
        std::array<double, ChartCount> Hi = Filled(-std::numeric_limits<double>::infinity());
        static std::array<double, ChartCount> Filled(double value) {
            std::array<double, ChartCount> a;
            a.fill(value);
            return a;
        }
    };

    void RemoveRuns();
    void AddRun(const TProfileSnapshot& run, const QColor& colour, const QString& name,
                TRanges& ranges);
    void SetAxes(const TRanges& ranges);
    void AddZoneLines(const std::vector<const TProfileSnapshot*>& runs);
    void AddLineStyleKey();
    void PlaceZoneLabels();

    std::vector<std::array<QXYSeries*, ProfileQuantityCount>> RunSeries;
    std::array<QList<THoverSeries>, ChartCount> Hover;
    QStringList RunNames;
    QList<QGraphicsSimpleTextItem*> ZoneLabels;
};

} // namespace ppspin
