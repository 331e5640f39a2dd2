// Plots for the headless runner, drawn by the charts of the desktop program
// on Qt's offscreen platform: no display needed.
#include "Plots.h"

#include "ProfilePlot.h"
#include "XYPlot.h"

#include <QApplication>

#include <memory>
#include <utility>

namespace ppspin::cli {

namespace {

// Qt's notes about the offscreen platform are no business of the user's;
// failures come back as error texts.
void DropQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg)
        qFatal("%s", qPrintable(text));
}

// The charts need a QApplication for as long as they draw: offscreen unless
// the caller chose a platform, and gone before the program's statics are.
class TPlotApplication {
  public:
    TPlotApplication() {
        if (QApplication::instance() != nullptr)
            return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        previousHandler_ = qInstallMessageHandler(DropQtMessages);
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    TPlotApplication(const TPlotApplication&) = delete;
    TPlotApplication& operator=(const TPlotApplication&) = delete;
    ~TPlotApplication() {
        if (app_) {
            app_.reset();
            qInstallMessageHandler(previousHandler_);
        }
    }

  private:
    int argc_ = 1;
    char name_[11] = "ppspin-cli";
    char* argv_[2] = {name_, nullptr};
    QtMessageHandler previousHandler_ = nullptr;
    std::unique_ptr<QApplication> app_;
};

QSize ToQSize(TPlotSize size) {
    return {size.Width, size.Height};
}

} // namespace

bool PlotProfile(const TProfileSnapshot& profile, const std::string& path, TPlotSize size,
                 std::string& error) {
    const TPlotApplication app;
    QString message;
    if (RenderProfilePlot({}, &profile, QString::fromStdString(path), ToQSize(size), &message))
        return true;
    error = message.toStdString();
    return false;
}

bool PlotSummary(std::string_view xLabel, const std::vector<TSweepRow>& rows,
                 const std::string& path, TPlotSize size, std::string& error) {
    const TPlotApplication app;
    TXYPlot plot;
    plot.Title = "Parameter study";
    plot.XLabel = QString::fromUtf8(xLabel.data(), static_cast<qsizetype>(xLabel.size()));
    using Column = std::optional<double> (*)(const TSweepRow&);
    const std::pair<const char*, Column> columns[] = {
        {"Trials", [](const TSweepRow& r) -> std::optional<double> { return r.Trials; }},
        {"Spinneret F0 (dyn)", [](const TSweepRow& r) -> std::optional<double> { return r.F0; }},
        {"End tension (dyn)", [](const TSweepRow& r) -> std::optional<double> { return r.FEnd; }},
        {"End velocity (m/min)",
         [](const TSweepRow& r) -> std::optional<double> { return r.VEnd; }},
        {"End diameter (\u00b5m)",
         [](const TSweepRow& r) -> std::optional<double> { return r.DEnd; }},
        {"End temperature (\u00b0C)",
         [](const TSweepRow& r) -> std::optional<double> { return r.TEnd; }},
        {"Freeze z (cm)", [](const TSweepRow& r) { return r.ZFreeze; }},
        {"End TEN(AP) (g/den)",
         [](const TSweepRow& r) -> std::optional<double> { return r.TenApEnd; }},
    };
    for (const TSweepRow& r : rows)
        plot.X.push_back(r.Value);
    // A refused or failed value leaves a gap in every line.
    for (const auto& [name, column] : columns) {
        TXYSeries series{QString::fromUtf8(name), {}};
        for (const TSweepRow& r : rows)
            series.Y.push_back(r.Ok() ? column(r) : std::nullopt);
        plot.Series.push_back(std::move(series));
    }
    QString message;
    if (RenderXYPlot(plot, QString::fromStdString(path), ToQSize(size), &message))
        return true;
    error = message.toStdString();
    return false;
}

} // namespace ppspin::cli
