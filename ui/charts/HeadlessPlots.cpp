#include "HeadlessPlots.h"

#include "ProfilePlot.h"
#include "ResidualCharts.h"
#include "XYPlot.h"

namespace ppspin {

bool RenderProfilePicture(const TProfilePicture& picture, const std::string& path, int width,
                          int height, std::string& error) {
    QString message;
    if (RenderProfilePlot({}, picture.Profile, QString::fromStdString(path), QSize(width, height),
                          &message, {}, picture.Markers))
        return true;
    error = message.toStdString();
    return false;
}

bool RenderResidualPicture(const TResidualPlot& plot, const std::string& path, int width,
                           int height, std::string& error) {
    QString message;
    if (RenderResidualPlot(plot, QString::fromStdString(path), QSize(width, height), &message))
        return true;
    error = message.toStdString();
    return false;
}

TXYPlot XYPlotOf(const TSummaryPlot& plot) {
    TXYPlot xy;
    xy.Title = QString::fromStdString(plot.Title);
    xy.XLabel = QString::fromStdString(plot.XLabel);
    xy.X = plot.X;
    for (const TSummarySeries& s : plot.Series)
        xy.Series.push_back({QString::fromStdString(s.Name), s.Y});
    return xy;
}

bool RenderSummaryPlot(const TSummaryPlot& plot, const std::string& path, int width, int height,
                       std::string& error) {
    QString message;
    if (RenderXYPlot(XYPlotOf(plot), QString::fromStdString(path), QSize(width, height), &message))
        return true;
    error = message.toStdString();
    return false;
}

} // namespace ppspin
