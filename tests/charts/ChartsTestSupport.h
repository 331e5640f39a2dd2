// Converged runs and picture checks shared by the chart tests.
#pragma once

#include "MiscCalc.h"
#include "ProfileSnapshot.h"

#include <QColor>
#include <QImage>

#include <cstdlib>

namespace ppspin::testing {

// A converged run from the default inputs with the given changes.
inline TProfileSnapshot ConvergedRun(double takeUpSpeed = 3500.0, double increment = 1.0) {
    RunInput = TRunInput{};
    RunInput.VL = takeUpSpeed;
    RunInput.Dz = increment;
    SetUpRun();
    RunTrials();
    return TakeProfileSnapshot();
}

// Pixels within a few levels of colour in every channel (the line cores;
// antialiased edges blend into the background).
inline int PixelsOf(const QImage& image, const QColor& colour, int tolerance = 6) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if (std::abs(qRed(line[x]) - colour.red()) <= tolerance &&
                std::abs(qGreen(line[x]) - colour.green()) <= tolerance &&
                std::abs(qBlue(line[x]) - colour.blue()) <= tolerance)
                ++count;
        }
    }
    return count;
}

} // namespace ppspin::testing
