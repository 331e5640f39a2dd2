// The desktop program: the main window and its two dialogs.
#include "CommandLine.h"
#include "F_Form.h"
#include "Main_PP.h"
#include "PpspinVersion.h"
#include "RefInfo.h"

#include <QApplication>
#include <QIcon>

#ifdef PPSPIN_RUNS_ON_TBB
#include <oneapi/tbb/global_control.h>

#include <algorithm>
#include <thread>
#endif

int main(int argc, char* argv[]) {
    // Answered before QApplication, which needs a display.
    if (const int status = ppspin::AnswerWithoutWindow(argc, argv); status >= 0)
        return status;
#ifdef PPSPIN_RUNS_ON_TBB
    // The window's studies run on every hardware thread, more than oneTBB
    // allows by default where the process is bound to fewer cores: it would
    // then run fewer and warn on stderr. Process-wide, so set here and not
    // by the study library.
    const tbb::global_control threads(
        tbb::global_control::max_allowed_parallelism,
        std::max<std::size_t>(
            std::thread::hardware_concurrency(),
            tbb::global_control::active_value(tbb::global_control::max_allowed_parallelism)));
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName("ppspin");
    // Where the session is remembered (QSettings): the Profile window's
    // place and Live, and the reports opened lately.
    QApplication::setOrganizationName("ppspin");
    QApplication::setApplicationVersion(ppspin::PpspinVersion);
    // The desktop matches the window to its entry (and icon) by this id.
    QApplication::setDesktopFileName(PPSPIN_APP_ID);
    // Found once installed: share/icons/hicolor/scalable/apps/<id>.svg.
    QApplication::setWindowIcon(QIcon::fromTheme(PPSPIN_APP_ID));

    // The fields open with the user's decimal separator, and runs read and
    // write numbers with it.
    ppspin::TForm1 form1(ppspin::UserDecimalSeparator());
    form1.show();
    // Owned by the main window; hidden until needed.
    auto* form2 = new ppspin::TForm2(&form1);
    auto* finishForm = new ppspin::TFinishForm(&form1);
    form1.SetDialogs(form2, finishForm);

    return app.exec();
}
