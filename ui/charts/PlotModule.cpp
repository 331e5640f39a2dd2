#include "PlotModule.h"

#include "HeadlessPlots.h"
#include "StudyPlots.h"

#include <QApplication>

#include <clocale>
#include <string>

namespace ppspin {

namespace {

// Qt's notes about the offscreen platform are no business of the user's;
// failures come back as error texts.
void DropQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg)
        qFatal("%s", qPrintable(text));
}

// The charts are widgets: they need a QApplication, made on the offscreen
// platform whatever the environment says. Qt sets the C locale from the
// environment on the way; the runner's is put back. Ended by Release, never
// by the exit handlers, which run after Qt's own have.
QApplication* Application = nullptr;

void EnsureApplication() {
    if (QCoreApplication::instance() != nullptr)
        return;
    static char name[] = "ppspin-cli", option[] = "-platform", platform[] = "offscreen";
    static int argc;
    static char* argv[4];
    argc = 3;
    argv[0] = name, argv[1] = option, argv[2] = platform, argv[3] = nullptr;
    qInstallMessageHandler(DropQtMessages);
    const std::string locale = std::setlocale(LC_ALL, nullptr);
    Application = new QApplication(argc, argv);
    std::setlocale(LC_ALL, locale.c_str());
}

// Each entry makes sure of the application first.
template <typename Data, TRenderer<Data> Render>
bool WithApplication(const Data& data, const std::string& path, int width, int height,
                     std::string& error) {
    EnsureApplication();
    return Render(data, path, width, height, error);
}

void Release() {
    ReleaseStudyPlots();
    delete Application;
    Application = nullptr;
    qInstallMessageHandler(nullptr);
}

const TPlotModule Module = {
    PlotModuleVersion,
    WithApplication<TProfilePicture, RenderProfilePicture>,
    WithApplication<TSummaryPlot, RenderSummaryPlot>,
    WithApplication<TGridMaps, RenderGridMaps>,
    WithApplication<TTornado, RenderTornado>,
    WithApplication<TResidualPlot, RenderResidualPicture>,
    Release,
};

} // namespace

} // namespace ppspin

extern "C" Q_DECL_EXPORT const ppspin::TPlotModule* ppspin_plot_module() {
    return &ppspin::Module;
}
