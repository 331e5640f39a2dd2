#include "ProfilePlot.h"

#include "ProfileCharts.h"

namespace ppspin {

bool RenderProfilePlot(const std::vector<TProfileSnapshot>& kept, const TProfileSnapshot* newest,
                       const QString& path, QSize size, QString* error) {
    TProfileCharts charts;
    charts.setWindowTitle("Spinline profile");
    charts.SetRuns(kept, newest);
    return SaveChartImage(charts, path, size, error);
}

} // namespace ppspin
