// The Study window's map or tornado picture, painted by the same code as
// the pictures ppspin-cli writes, at the widget's size. A map's cells can
// be picked: a click or a double click names the grid point under it.
#pragma once

#include "StudyPainters.h"

#include <QImage>
#include <QWidget>

#include <memory>
#include <optional>
#include <thread>

class QTimer;

namespace ppspin {

class TStudyPicture : public QWidget {
    Q_OBJECT
  public:
    explicit TStudyPicture(QWidget* parent = nullptr);
    // Waits for maps being made ready.
    ~TStudyPicture() override;

    // What to draw in place of what was drawn; maps or a tornado that
    // cannot be drawn leave the picture blank. Maps are made ready on a
    // thread of their own, the latest of them when they come faster.
    void ShowMaps(TGridMaps maps);
    // Whether maps given now would be made ready at once: none are being
    // made ready or waiting for their turn.
    bool WantsMaps() const;
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
    void Prepare();
    void Prepared(std::shared_ptr<const TGridMapsPainter> maps, const QImage& image,
                  std::size_t rows, int epoch, qint64 cost);

    std::shared_ptr<const TGridMapsPainter> Maps; // none when no maps are drawn
    QImage MapsImage;        // Maps drawn at the widget's size when they were made ready
    std::size_t MapRows = 0; // values of the second input
    std::optional<TTornado> Tornado;
    // The contour lines of a large grid take longer than a key press may
    // wait: maps are made ready, and drawn, on Preparing, one at a time,
    // the latest asked for Waiting, each after a pause three times as long
    // as the last took (at most 2 s), so that the runs keep their cores.
    std::thread Preparing;
    std::optional<TGridMaps> Waiting;
    QTimer* Pause = nullptr;
    int Epoch = 0; // counts the tornadoes and clearings: maps of an earlier one are dropped
};

} // namespace ppspin
