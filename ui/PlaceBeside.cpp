#include "PlaceBeside.h"

#include <algorithm>

namespace ppspin {

QRect PlaceBeside(const QRect& anchor, QSize size, int minimumWidth, const QRect& available) {
    size = size.boundedTo(available.size());
    const int rightRoom = available.x() + available.width() - (anchor.x() + anchor.width());
    const int leftRoom = anchor.x() - available.x();
    int x = 0;
    if (rightRoom >= size.width()) {
        x = anchor.x() + anchor.width();
    } else if (leftRoom >= size.width()) {
        x = anchor.x() - size.width();
    } else if (std::max(rightRoom, leftRoom) >= minimumWidth) {
        size.setWidth(std::max(rightRoom, leftRoom));
        x = rightRoom >= leftRoom ? anchor.x() + anchor.width() : available.x();
    } else {
        x = available.x() + available.width() - size.width();
    }
    const int y =
        std::clamp(anchor.y(), available.y(), available.y() + available.height() - size.height());
    return QRect(QPoint(x, y), size);
}

} // namespace ppspin
