// The Study window's map or tornado picture, painted by the same code as
// the pictures ppspin-cli writes, at the widget's size. A map's cells can
// be picked: a click or a double click names the grid point under it.
#pragma once

#include "StudyPainters.h"

#include <QWidget>

#include <optional>

namespace ppspin {

class TStudyPicture : public QWidget {
    Q_OBJECT
  public:
    explicit TStudyPicture(QWidget* parent = nullptr);

    // What to draw in place of what was drawn; maps or a tornado that
    // cannot be drawn leave the picture blank.
    void ShowMaps(const TGridMaps& maps);
    void ShowTornado(const TTornado& tornado);
    void Clear();
    // The grid point (first input slowest) whose cell is at position; -1
    // elsewhere, and always for a tornado.
    int PointAt(QPoint position) const;

  signals:
    void PointClicked(int index);
    void PointActivated(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    TGridMapsPainter Maps;
    bool HasMaps = false;
    std::size_t MapRows = 0; // values of the second input
    std::optional<TTornado> Tornado;
};

} // namespace ppspin
