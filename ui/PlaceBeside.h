// Where a second window goes so that it does not hide the first.
#pragma once

#include <QRect>

#include <optional>

namespace ppspin {

// Frames of the first window (the anchor) and of the second.
struct TPlacement {
    QRect Anchor;
    QRect Window;
};

// The frame for a window of frame size `size` beside the frame `anchor`,
// within `available`:
// - `saved`, where the window was before, while it leaves the anchor clear;
// - else to the anchor's right when there is room, else to its left;
// - else, where the screen is wide enough for both, the anchor moves as
//   little as it must (toward the left edge when either way is as short)
//   and the window goes beside it;
// - else the anchor at the left edge and the window narrowed to the rest,
//   while that leaves minimumWidth;
// - else, on a screen too narrow for both, the anchor at the left edge and
//   the window at the right, minimumWidth wide.
// Aligned with the anchor's top and kept on the screen, no taller than it.
// The anchor moves only sideways, and only where the window cannot fit.
TPlacement PlaceBeside(const QRect& anchor, QSize size, int minimumWidth, const QRect& available,
                       const std::optional<QRect>& saved = std::nullopt);

} // namespace ppspin
