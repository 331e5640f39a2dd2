#include "PlaceBeside.h"

#include <algorithm>

namespace ppspin {

TPlacement PlaceBeside(const QRect& anchor, QSize size, int minimumWidth, const QRect& available,
                       const std::optional<QRect>& saved) {
    if (saved && !saved->intersects(anchor))
        return {anchor, *saved};
    size = size.boundedTo(available.size());
    const int right = available.x() + available.width();
    const int rightRoom = right - (anchor.x() + anchor.width());
    const int leftRoom = anchor.x() - available.x();
    QRect moved = anchor;
    int x = 0;
    if (rightRoom >= size.width()) {
        x = anchor.x() + anchor.width();
    } else if (leftRoom >= size.width()) {
        x = anchor.x() - size.width();
    } else if (available.width() >= anchor.width() + size.width()) {
        // Leftward it must go size.width() - rightRoom, rightward the rest.
        const int leftward = size.width() - rightRoom;
        const int rightward = size.width() - leftRoom;
        if (leftward <= rightward) {
            moved.moveLeft(anchor.x() - leftward);
            x = moved.x() + moved.width();
        } else {
            moved.moveLeft(anchor.x() + rightward);
            x = moved.x() - size.width();
        }
    } else {
        moved.moveLeft(available.x());
        size.setWidth(std::max(available.width() - anchor.width(), minimumWidth));
        x = right - size.width();
    }
    const int y =
        std::clamp(anchor.y(), available.y(), available.y() + available.height() - size.height());
    return {moved, QRect(QPoint(x, y), size)};
}

} // namespace ppspin
