#include "PlotModule.h"

#include "HeadlessPlots.h"
#include "PictureBytes.h"
#include "StudyPlots.h"
#include "TemporaryFiles.h"

#include <QApplication>

#include <algorithm>
#include <clocale>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <string_view>

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

const char* const ForeignData = "The picture's data are not this plot module's";

// The picture bytes hold, decoded as Data, drawn by render.
template <typename Data, typename Render>
bool Draw(const unsigned char* bytes, std::size_t size, Render render, const std::string& path,
          int width, int height, std::string& error) {
    Data data;
    if (!DecodePicture(bytes, size, data)) {
        error = ForeignData;
        return false;
    }
    EnsureApplication();
    return render(data, path, width, height, error);
}

bool DrawAny(const unsigned char* bytes, std::size_t size, const std::string& path, int width,
             int height, std::string& error) {
    const std::optional<TPictureKind> kind = PictureKindOf(bytes, size);
    switch (kind.value_or(TPictureKind{})) {
    case TPictureKind::Profile:
        return Draw<TDecodedProfile>(
            bytes, size,
            [](const TDecodedProfile& p, const std::string& file, int w, int h, std::string& e) {
                return RenderProfilePicture(p.Picture(), file, w, h, e);
            },
            path, width, height, error);
    case TPictureKind::Residuals:
        return Draw<TResidualPlot>(bytes, size, RenderResidualPicture, path, width, height, error);
    case TPictureKind::Summary:
        return Draw<TSummaryPlot>(bytes, size, RenderSummaryPlot, path, width, height, error);
    case TPictureKind::GridMaps:
        return Draw<TGridMaps>(bytes, size, RenderGridMaps, path, width, height, error);
    case TPictureKind::Tornado:
        return Draw<TTornado>(bytes, size, RenderTornado, path, width, height, error);
    }
    error = ForeignData;
    return false;
}

// The texts one after the other into error's size bytes, cut at a
// character's start; allocates nothing, so that it serves after a failed
// allocation too.
void CopyError(char* error, std::size_t size, std::string_view head, std::string_view tail = {}) {
    if (error == nullptr || size == 0)
        return;
    std::size_t n = 0;
    for (const std::string_view text : {head, tail}) {
        std::size_t k = std::min(text.size(), size - 1 - n);
        const bool cut = k < text.size();
        while (cut && k > 0 && (static_cast<unsigned char>(text[k]) & 0xC0) == 0x80)
            --k;
        text.copy(error + n, k);
        n += k;
        if (cut)
            break;
    }
    error[n] = '\0';
}

} // namespace

} // namespace ppspin

extern "C" Q_DECL_EXPORT int PPSPIN_PLOT_NAME(ppspin_plot_draw)(const unsigned char* bytes,
                                                                size_t size, const char* path,
                                                                int width, int height, char* error,
                                                                size_t errorSize) {
    using namespace ppspin;
    // Nothing thrown here may unwind into the runner.
    try {
        std::string message;
        if (DrawAny(bytes, size, path, width, height, message))
            return 1;
        CopyError(error, errorSize, message);
    } catch (const std::bad_alloc&) {
        CopyError(error, errorSize, "The picture could not be drawn: out of memory");
    } catch (const std::exception& e) {
        CopyError(error, errorSize, "The picture could not be drawn: ", e.what());
    } catch (...) {
        CopyError(error, errorSize, "The picture could not be drawn");
    }
    return 0;
}

extern "C" Q_DECL_EXPORT void PPSPIN_PLOT_NAME(ppspin_plot_release)() {
    using namespace ppspin;
    try {
        ReleaseStudyPlots();
        delete Application;
    } catch (...) {
        // Ending anyway: the runner exits next.
    }
    Application = nullptr;
    qInstallMessageHandler(nullptr);
}

extern "C" Q_DECL_EXPORT void PPSPIN_PLOT_NAME(ppspin_plot_remove_temporaries)() {
    // The module's own files: the temporary file a picture is written to
    // before it takes the runner's.
    ppspin::RemoveTemporaryFiles();
}
