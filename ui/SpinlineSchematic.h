// Image1: the spinline sketch beside the calculation-accuracy group, drawn
// at run time so that it scales with the screen and always fits its frame.
#pragma once

#include <QWidget>

namespace ppspin {

class TSpinlineSchematic : public QWidget {
    Q_OBJECT
  public:
    // The drawing's own size in device-independent pixels.
    static constexpr int DrawingWidth = 107;
    static constexpr int DrawingHeight = 180;

    explicit TSpinlineSchematic(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ppspin
