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

bool RenderProfilePlot(const std::vector<TProfileSnapshot>& runs, const QString& path, QSize size,
                       QString* error) {
    if (runs.empty())
        return RenderProfilePlot({}, nullptr, path, size, error);
    const std::vector<TProfileSnapshot> kept(runs.begin(), runs.end() - 1);
    return RenderProfilePlot(kept, &runs.back(), path, size, error);
}

} // namespace ppspin
