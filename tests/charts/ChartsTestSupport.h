// Converged runs and picture checks shared by the chart tests.
#pragma once

#include "ChartView.h"
#include "MiscCalc.h"
#include "ProfilePlot.h"
#include "ProfileSnapshot.h"

#include <QChart>
#include <QColor>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QImage>

#include <cstdlib>
#include <memory>

namespace ppspin::testing {

// A converged run from the default inputs with the given changes.
inline TProfileSnapshot ConvergedRun(double takeUpSpeed = 3500.0, double increment = 1.0) {
    const auto run = std::make_unique<TRun>();
    run->RunInput.VL = takeUpSpeed;
    run->RunInput.Dz = increment;
    SetUpRun(*run);
    RunTrials(*run);
    return TakeProfileSnapshot(*run);
}

// Runs in drawing order, the last the newest, the others kept, into a picture.
inline bool RenderRuns(const std::vector<TProfileSnapshot>& runs, const QString& path, QSize size,
                       QString* error) {
    const std::vector<TProfileSnapshot> kept(runs.begin(), runs.end() - 1);
    return RenderProfilePlot(kept, &runs.back(), path, size, error);
}

// The hover callout's text while it is shown, else empty: the callout is the
// chart's framed box around a text.
inline QString ShownHover(const TChartView& view) {
    for (QGraphicsItem* item : view.chart()->childItems()) {
        auto* box = qgraphicsitem_cast<QGraphicsRectItem*>(item);
        if (box == nullptr || !box->isVisible())
            continue;
        for (QGraphicsItem* child : box->childItems())
            if (auto* text = qgraphicsitem_cast<QGraphicsSimpleTextItem*>(child))
                return text->text();
    }
    return {};
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
