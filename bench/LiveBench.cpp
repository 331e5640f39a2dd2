// Live, from a key press in a field to the Profile window repainted, on the
// offscreen platform unless QT_QPA_PLATFORM names another. Two kinds of
// edit to the take-up speed: Up and Down alternately, which keep every axis
// as it is, and keys that take it 800 -> 8000 -> 800 ..., which move the
// value axes each time. Prints the median and the 90th percentile
// per increment, number of runs drawn and kind of edit.
//
//     build/release/bench/ppspin_live_bench [edits per case, 200 by default]
#include "F_Form.h"
#include "Main_PP.h"
#include "ProfileCharts.h"
#include "ProfileForm.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QValueAxis>
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

// Handles events until the Profile window shows a run at speed; false
// after a second without.
bool WaitForSpeed(const TProfileForm& profile, double speed) {
    QElapsedTimer waited;
    waited.start();
    while (!profile.Latest() || profile.Latest()->Input.VL != speed) {
        if (waited.elapsed() > 1000)
            return false;
        QCoreApplication::processEvents();
    }
    return true;
}

// One edit: the key pressed and the take-up speed it leaves in the field.
struct TEdit {
    Qt::Key Key;
    double Speed;
};

// Up and Down from 3500.0: the values move, the axes stay.
std::vector<TEdit> Nudges() {
    return {{Qt::Key_Up, 3500.1}, {Qt::Key_Down, 3500.0}};
}

// From 800: a zero typed, then taken back. Beyond the kept runs' 4000 m/min,
// the velocity axis moves each time.
std::vector<TEdit> Decades() {
    return {{Qt::Key_0, 8000}, {Qt::Key_Backspace, 800}};
}

// Every axis range of the charts, to tell whether an edit moved any.
std::vector<double> AxisRanges(const TProfileCharts& charts) {
    std::vector<double> ranges;
    for (int c = 0; c < TProfileCharts::ChartCount; ++c)
        for (QAbstractAxis* axis : charts.Chart(c).axes()) {
            const auto* value = static_cast<const QValueAxis*>(axis);
            ranges.push_back(value->min());
            ranges.push_back(value->max());
        }
    return ranges;
}

// Median and 90th percentile in ms of edits to the take-up speed.
bool Measure(const char* increment, int kept, bool changeAxes, int edits) {
    TForm1 form1('.');
    form1.show();
    auto* profile = form1.findChild<TProfileForm*>("ProfileForm");
    form1.findChild<QLineEdit*>("Edit19")->setText(increment);
    form1.findChild<QPushButton*>("BitBtn4")->click();
    profile->findChild<QCheckBox*>("LiveCheck")->setChecked(true);
    QLineEdit* speed = form1.findChild<QLineEdit*>("Edit3");
    for (int k = 0; k < kept; ++k) {
        speed->setText(QString::number(2000 + 500 * k));
        if (!WaitForSpeed(*profile, 2000 + 500 * k))
            return false;
        profile->Keep();
    }
    const std::vector<TEdit> cycle = changeAxes ? Decades() : Nudges();
    const double start = changeAxes ? 800.0 : 3500.0;
    speed->setText(changeAxes ? "800" : "3500.0");
    speed->setCursorPosition(static_cast<int>(speed->text().size()));
    if (!WaitForSpeed(*profile, start))
        return false;
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
        const TEdit& edit = cycle[static_cast<std::size_t>(i) % cycle.size()];
        const std::vector<double> rangesBefore = AxisRanges(charts);
        const int paintsBefore = painted.Count;
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(speed, edit.Key);
        if (!WaitForSpeed(*profile, edit.Speed)) {
            std::fprintf(stderr, "edit %d: no run at %s: %s\n", i, qPrintable(speed->text()),
                         qPrintable(profile->StatusText()));
            return false;
        }
        QCoreApplication::processEvents(); // the charts' queued scene updates
        profile->repaint();
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        if (painted.Count - paintsBefore < watched) {
            std::fprintf(stderr, "edit %d: %d of %d views painted\n", i,
                         painted.Count - paintsBefore, watched);
            return false;
        }
        if (changeAxes && AxisRanges(charts) == rangesBefore) {
            std::fprintf(stderr, "edit %d: no axis moved\n", i);
            return false;
        }
    }
    std::printf("dz = %-4s runs drawn %d  points %4zu  %-12s median %7.2f ms  p90 %7.2f ms  "
                "(%d edits)\n",
                increment, kept + 1, profile->Latest()->Points.size(),
                changeAxes ? "axes moved" : "axes kept", Percentile(ms, 0.5), Percentile(ms, 0.9),
                edits);
    std::fflush(stdout);
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
            for (bool changeAxes : {false, true})
                ok = Measure(increment, kept, changeAxes, edits) && ok;
    return ok ? 0 : 1;
}
