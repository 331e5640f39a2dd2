// What the study pictures share: the application Qt needs, the file they go
// to, fonts, colours of failures and numbers on round steps.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QPainter;

namespace ppspin::study {

// Runs that failed and runs that were refused, wherever they are marked,
// and values a run does not have (no freeze position), outside any colour map.
inline const QColor FailedColour(214, 39, 40);
inline const QColor RefusedColour(64, 64, 64);
inline const QColor MissingColour(176, 176, 176);
inline const QColor TextColour(30, 30, 30);
inline const QColor FrameColour(90, 90, 90);

// False with the reason when path does not end in .png or .svg or the size
// is not positive.
bool CheckPicture(const std::string& path, int width, int height, std::string& error);

// The canvas a picture of pixels is laid out on, in logical units, and the
// device pixels per unit: pictures are laid out at about 1200 x 900 and
// scaled up, never down, so that text keeps its proportion in large ones.
struct TCanvas {
    QSizeF Size;
    double Scale = 1;
};
TCanvas CanvasFor(QSize pixels);

// Has paint draw on the canvas of a device of pixels, antialiased.
void PaintScaled(QPainter& p, QSize pixels, const std::function<void(QPainter&, QSizeF)>& paint);

// Paints a white picture of width x height pixels, as PaintScaled does, and
// writes it to path. Makes a Qt application when the process has none.
bool PaintPicture(const std::string& path, int width, int height, const QString& title,
                  const std::function<void(QPainter&, QSizeF)>& paint, std::string& error);

// The application's font at a size in logical pixels.
QFont Font(double pixels, bool bold = false);

// Round values inside [lo, hi] for axis ticks: the smallest step of 1, 2 or 5
// times a power of ten that leaves at least minGap between neighbours when
// the range spans length.
struct TTicks {
    std::vector<double> Values;
    double Step = 1;
};
TTicks RoundTicks(double lo, double hi, double length, double minGap);

// A value on a grid of round steps, with the decimals the step needs: plain
// digits, the same in every locale, and a true minus sign.
QString StepNumber(double value, double step);

// A value to so many significant digits, likewise.
QString SignificantNumber(double value, int digits);

// The mark of a failed or refused run: a cross of half-width half.
void DrawCross(QPainter& p, QPointF centre, double half, const QColor& colour);

// Text fitted into width, with an ellipsis where cut.
QString Elided(const QString& text, const QFont& font, double width);

} // namespace ppspin::study
