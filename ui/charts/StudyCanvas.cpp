#include "StudyCanvas.h"

#include "ImageExport.h"
#include "StudyPlots.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <clocale>
#include <cmath>

namespace ppspin::study {

namespace {

constexpr double LayoutWidth = 1200, LayoutHeight = 900;

// The application the first picture made, if the process had none.
QGuiApplication* Made = nullptr;

// Text needs a QGuiApplication. The headless runner has no Qt of its own, so
// the first picture makes one, offscreen whatever the environment says. Qt
// sets the C locale from the environment on the way; the caller's is put
// back, since its number formatting may rely on it.
bool EnsureApplication(std::string& error) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
        return true;
    if (QCoreApplication::instance() != nullptr) {
        error = "Pictures need a QGuiApplication; this process has a QCoreApplication";
        return false;
    }
    // Qt keeps argc and argv for the application's life, and takes the
    // options it knows out of them: set afresh for each application.
    static char name[] = "ppspin", option[] = "-platform", platform[] = "offscreen";
    static int argc;
    static char* argv[4];
    argc = 3;
    argv[0] = name;
    argv[1] = option;
    argv[2] = platform;
    argv[3] = nullptr;
    const std::string locale = std::setlocale(LC_ALL, nullptr);
    Made = new QGuiApplication(argc, argv);
    std::setlocale(LC_ALL, locale.c_str());
    return true;
}

} // namespace

bool CheckPicture(const std::string& path, int width, int height, std::string& error) {
    const QString refusal = PictureRefusal(QString::fromStdString(path), QSize(width, height));
    error = refusal.toStdString();
    return refusal.isEmpty();
}

TCanvas CanvasFor(QSize pixels) {
    const double scale = std::clamp(
        std::min(pixels.width() / LayoutWidth, pixels.height() / LayoutHeight), 1.0, 4.0);
    return {QSizeF(pixels.width() / scale, pixels.height() / scale), scale};
}

void PaintScaled(QPainter& p, QSize pixels, const std::function<void(QPainter&, QSizeF)>& paint) {
    const TCanvas canvas = CanvasFor(pixels);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(canvas.Scale, canvas.Scale);
    paint(p, canvas.Size);
}

bool PaintPicture(const std::string& path, int width, int height, const QString& title,
                  const std::function<void(QPainter&, QSizeF)>& paint, std::string& error) {
    if (!CheckPicture(path, width, height, error) || !EnsureApplication(error))
        return false;
    const QSize size(width, height);
    const bool ok = WritePicture(QString::fromStdString(path), size, title,
                                 [&](QPainter& painter) { PaintScaled(painter, size, paint); });
    if (!ok)
        error = "Image can not be written: " + path;
    return ok;
}

QFont Font(double pixels, bool bold) {
    QFont font = QGuiApplication::font();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font.setBold(bold);
    return font;
}

TTicks RoundTicks(double lo, double hi, double length, double minGap) {
    TTicks ticks;
    if (!(hi > lo) || !(length > 0) || !std::isfinite(hi - lo))
        return ticks;
    const double raw = (hi - lo) * std::max(minGap, 1.0) / length;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    ticks.Step = 10 * magnitude;
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * magnitude >= raw * (1 - 1e-9)) {
            ticks.Step = m * magnitude;
            break;
        }
    }
    // Tolerate rounding at the ends: a range from 0.1 to 0.3 has three ticks.
    const double slack = ticks.Step * 1e-9;
    for (double k = std::ceil((lo - slack) / ticks.Step); k * ticks.Step <= hi + slack; ++k)
        ticks.Values.push_back(k * ticks.Step);
    return ticks;
}

namespace {

QString Signed(double value, const QString& digits) {
    return value < 0 ? QStringLiteral("\u2212") + digits : digits;
}

QLocale Plain() {
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator);
    return c;
}

} // namespace

QString StepNumber(double value, double step) {
    if (!(step > 0) || !std::isfinite(step))
        step = 1;
    if (std::abs(value) < step * 1e-6)
        value = 0; // and not -0 or 1e-17
    const int decimals = std::max(0, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
    if (decimals > 6 || std::abs(value) >= 1e7)
        return SignificantNumber(value, 6);
    return Signed(value, Plain().toString(std::abs(value), 'f', decimals));
}

QString SignificantNumber(double value, int digits) {
    return Signed(value, Plain().toString(std::abs(value), 'g', digits));
}

void DrawCross(QPainter& p, QPointF centre, double half, const QColor& colour) {
    p.setPen(QPen(colour, std::clamp(half / 3, 1.5, 2.4), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
    p.drawLine(centre + QPointF(-half, half), centre + QPointF(half, -half));
}

QString Elided(const QString& text, const QFont& font, double width) {
    return QFontMetricsF(font).elidedText(text, Qt::ElideRight, std::max(0.0, width));
}

} // namespace ppspin::study

namespace ppspin {

void ReleaseStudyPlots() {
    delete study::Made;
    study::Made = nullptr;
}

} // namespace ppspin
