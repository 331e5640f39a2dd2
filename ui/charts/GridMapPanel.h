// One map's panel: its title, the cells with failed and refused runs marked,
// the contour lines, the axes and the colour bar.
#pragma once

#include "GridMap.h"
#include "StudyCanvas.h"

#include <QColor>
#include <QRect>
#include <QRectF>

#include <vector>

class QPainter;

namespace ppspin::gridmaps {

// Everything the panels share.
struct TFrame {
    const TGridMaps& Maps;
    std::vector<double> EdgesX, EdgesY;
    double Scale = 1; // device pixels per logical pixel
};

// Sizes that every panel shares, so that their plots line up.
struct TPanelLayout {
    double Top = 0, Bottom = 0; // of the plot, from the panel's top
    double Left = 0, Right = 0; // room beside the plot
    study::TTicks TicksX, TicksY;
};

// Where a panel's cells go: in device pixels, and in logical units.
QRect PlotPixels(const TFrame& frame, const QRectF& panel, const TPanelLayout& layout);
QRectF PlotRect(const TFrame& frame, const QRect& pixels);

void DrawPanel(QPainter& p, const TFrame& frame, const TMap& map, const QRectF& panel,
               const TPanelLayout& layout);

// The marks of a failed or refused run, shared with the key: its colour paled
// towards white (amount 1 keeps it, 0 gives white) under a cross.
QColor Blend(const QColor& colour, double amount);
void CrossCell(QPainter& p, const QRectF& cell, const QColor& colour);

} // namespace ppspin::gridmaps
