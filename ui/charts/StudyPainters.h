// The study pictures painted on any painter: the files of StudyPlots.h and
// the Study window's live pictures are the one drawing. Canvases are in
// logical units, as StudyCanvas.h lays pictures out.
#pragma once

#include "StudyPictures.h"

#include <QPointF>
#include <QSizeF>

#include <memory>
#include <optional>
#include <string>
#include <utility>

class QPainter;

namespace ppspin {

// Grid maps made ready to paint: each output's colour range and contour
// lines are found once, however often they are painted.
class TGridMapsPainter {
  public:
    TGridMapsPainter();
    ~TGridMapsPainter();

    // False with the reason, leaving nothing to paint, when the maps cannot
    // be drawn.
    bool Prepare(const TGridMaps& maps, std::string& error);
    // The painter's scale puts the cells on whole device pixels.
    void Paint(QPainter& p, QSizeF canvas) const;
    // The grid point (i, j) whose cell a map shows at position, on a canvas
    // painted at scale device pixels per unit; none outside the cells.
    std::optional<std::pair<std::size_t, std::size_t>> CellAt(QSizeF canvas, double scale,
                                                              QPointF position) const;

  private:
    struct TPrepared;
    std::unique_ptr<const TPrepared> Prepared;
};

// False with the reason when tornado cannot be drawn.
bool CheckTornado(const TTornado& tornado, std::string& error);
void PaintTornado(QPainter& p, QSizeF canvas, const TTornado& tornado);

} // namespace ppspin
