// Where a second window goes so that it does not hide the first.
#pragma once

#include <QRect>

namespace ppspin {

// The frame for a window of frame size `size` beside the frame `anchor`,
// within `available`: to its right when there is room, else to its left,
// else narrowed to the roomier side while that leaves minimumWidth, else as
// far right as fits. Aligned with the anchor's top and kept on the screen,
// no taller than it.
QRect PlaceBeside(const QRect& anchor, QSize size, int minimumWidth, const QRect& available);

} // namespace ppspin
