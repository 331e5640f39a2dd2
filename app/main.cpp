// The desktop program: the main window and its two dialogs.
#include "F_Form.h"
#include "Main_PP.h"
#include "PpspinVersion.h"
#include "RefInfo.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
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
