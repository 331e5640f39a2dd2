// The four profile charts stacked over the shared position axis z:
// velocity, filament and air temperature, diameter, tension, with the zone
// ends Z1 and Z2 as vertical lines.
#pragma once

#include "ChartStack.h"
#include "ProfileSnapshot.h"

#include <QColor>

#include <array>
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
    void PlaceZoneLabels();

    std::vector<std::array<QXYSeries*, ProfileQuantityCount>> RunSeries;
    QStringList RunNames;
    QList<QGraphicsSimpleTextItem*> ZoneLabels;
};

} // namespace ppspin
