// Live, from a key press in a field to the Profile window repainted: Up and
// Down in the take-up speed, alternately, on the offscreen platform unless
// QT_QPA_PLATFORM names another. Prints the median and the 90th percentile
// per increment and number of runs drawn.
//
//     build/release/bench/ppspin_live_bench [edits per case, 200 by default]
#include "F_Form.h"
#include "Main_PP.h"
#include "ProfileCharts.h"
#include "ProfileForm.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace ppspin;

// Counts paints of the widgets watched.
class PaintCounter : public QObject {
  public:
    int Count = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++Count;
        return QObject::eventFilter(watched, event);
    }
};

double Percentile(std::vector<double> ms, double share) {
    std::sort(ms.begin(), ms.end());
    return ms[static_cast<std::size_t>(share * static_cast<double>(ms.size() - 1) + 0.5)];
}

// Median and 90th percentile in ms of edits nudging the take-up speed.
bool Measure(const char* increment, int kept, int edits) {
    TForm1 form1('.');
    form1.show();
    auto* profile = form1.findChild<TProfileForm*>("ProfileForm");
    form1.findChild<QLineEdit*>("Edit19")->setText(increment);
    form1.findChild<QPushButton*>("BitBtn4")->click();
    profile->findChild<QCheckBox*>("LiveCheck")->setChecked(true);
    QLineEdit* speed = form1.findChild<QLineEdit*>("Edit3");
    for (int k = 0; k < kept; ++k) {
        speed->setText(QString::number(2000 + 500 * k));
        while (!profile->Latest() || profile->Latest()->Input.VL != 2000 + 500 * k)
            QCoreApplication::processEvents();
        profile->Keep();
    }
    speed->setText("3500.0");
    QTest::qWait(50);

    // What must be painted for an edit to be seen: the charts and the table.
    PaintCounter painted;
    TProfileCharts& charts = profile->Charts();
    int watched = 0;
    for (int c = 0; c < TProfileCharts::ChartCount; ++c, ++watched)
        charts.View(c).viewport()->installEventFilter(&painted);
    profile->Table().viewport()->installEventFilter(&painted);
    ++watched;

    std::vector<double> ms;
    for (int i = 0; i < edits; ++i) {
        const bool up = i % 2 == 0;
        const double expected = up ? 3500.1 : 3500.0;
        const int paintsBefore = painted.Count;
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(speed, up ? Qt::Key_Up : Qt::Key_Down);
        while (profile->Latest()->Input.VL != expected)
            QCoreApplication::processEvents();
        QCoreApplication::processEvents(); // the charts' queued scene updates
        profile->repaint();
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        if (painted.Count - paintsBefore < watched) {
            std::fprintf(stderr, "edit %d: %d of %d views painted\n", i,
                         painted.Count - paintsBefore, watched);
            return false;
        }
    }
    std::printf("dz = %-4s runs drawn %d  points %4zu  median %7.2f ms  p90 %7.2f ms  (%d edits)\n",
                increment, kept + 1, profile->Latest()->Points.size(), Percentile(ms, 0.5),
                Percentile(ms, 0.9), edits);
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int edits = argc > 1 ? std::max(1, QString(argv[1]).toInt()) : 200;
    // No report is written; should one be, it goes to a scratch folder.
    QTemporaryDir scratch;
    QDir::setCurrent(scratch.path());
    bool ok = true;
    for (const char* increment : {"1.0", "0.1"})
        for (int kept : {0, TProfileForm::MaxKept})
            ok = Measure(increment, kept, edits) && ok;
    return ok ? 0 : 1;
}
