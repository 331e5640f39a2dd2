#include "ProfilePlot.h"

#include "ProfileCharts.h"

namespace ppspin {

bool RenderProfilePlot(const std::vector<TProfileSnapshot>& kept, const TProfileSnapshot* newest,
                       const QString& path, QSize size, QString* error, const QStringList& names,
                       std::vector<TMeasuredMarkers> markers) {
    TProfileCharts charts;
    charts.setWindowTitle("Spinline profile");
    charts.SetMarkers(std::move(markers));
    charts.SetRuns(kept, newest, names);
    return SaveChartImage(charts, path, size, error);
}

} // namespace ppspin
