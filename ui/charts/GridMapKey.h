// The key: the grid's size and the marks, then the commonest messages. In a
// row under the maps, or stacked in the room the last row of maps leaves.
#pragma once

#include "GridMap.h"

#include <QColor>
#include <QRectF>
#include <QString>

#include <utility>
#include <vector>

class QPainter;

namespace ppspin::gridmaps {

struct TKey {
    std::vector<std::pair<QString, int>> Marks; // text, and 0 none, 1 grey, 2 failed, 3 refused
    std::vector<std::pair<QString, QColor>> Messages;
};

// The key to maps drawn from outputs: a mark only for what they show.
TKey MakeKey(const TGridMaps& maps, const std::vector<TMap>& outputs);

double KeyHeight(const TKey& key, bool stacked);

void DrawKey(QPainter& p, const TKey& key, const QRectF& area, bool stacked);

} // namespace ppspin::gridmaps
