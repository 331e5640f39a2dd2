// The key: the grid's size and the marks, then the commonest messages.
#include "GridMapKey.h"
#include "GridMapPanel.h"
#include "StudyCanvas.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <map>
#include <string>

namespace ppspin::gridmaps {

namespace {

using namespace study;

// Messages listed one a line; the rest are only counted.
constexpr std::size_t MessageLines = 3;

struct TCounts {
    std::size_t Failed = 0, Refused = 0;
    bool Missing = false;
    // Messages by state and text, with how often each came.
    std::map<std::pair<TGridRunStatus, std::string>, std::size_t> Messages;
};

TCounts Count(const TGridMaps& maps, const std::vector<TMap>& outputs) {
    TCounts counts;
    for (std::size_t i = 0; i < maps.X.size(); ++i) {
        for (std::size_t j = 0; j < maps.Y.size(); ++j) {
            const TGridRunStatus status = StatusAt(maps, i, j);
            if (status == TGridRunStatus::Ok) {
                for (const TMap& map : outputs)
                    counts.Missing = counts.Missing || !map.Values[i][j];
                continue;
            }
            if (status == TGridRunStatus::Pending)
                continue;
            ++(status == TGridRunStatus::Failed ? counts.Failed : counts.Refused);
            if (!maps.Cells[i][j].Message.empty())
                ++counts.Messages[{status, maps.Cells[i][j].Message}];
        }
    }
    return counts;
}

QString CountText(std::size_t n) {
    return QString::number(n) + (n == 1 ? QStringLiteral(" run") : QStringLiteral(" runs"));
}

double KeyLineHeight() {
    return QFontMetricsF(Font(LegendSize)).height() * 1.35;
}

} // namespace

TKey MakeKey(const TGridMaps& maps, const std::vector<TMap>& outputs) {
    const TCounts counts = Count(maps, outputs);
    TKey key;
    key.Marks.emplace_back(QString::number(maps.X.size()) + QStringLiteral(" \u00d7 ") +
                               QString::number(maps.Y.size()) + QStringLiteral(" runs"),
                           0);
    if (counts.Missing)
        key.Marks.emplace_back(QStringLiteral("no value"), 1);
    if (counts.Failed > 0)
        key.Marks.emplace_back("failed: " + CountText(counts.Failed), 2);
    if (counts.Refused > 0)
        key.Marks.emplace_back("refused: " + CountText(counts.Refused), 3);

    std::vector<std::pair<std::size_t, std::pair<TGridRunStatus, std::string>>> messages;
    for (const auto& [text, n] : counts.Messages)
        messages.emplace_back(n, text);
    std::stable_sort(messages.begin(), messages.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t k = 0; k < std::min(messages.size(), MessageLines); ++k) {
        const auto& [n, text] = messages[k];
        const bool failed = text.first == TGridRunStatus::Failed;
        key.Messages.emplace_back(
            (failed ? QStringLiteral("Failed, ") : QStringLiteral("Refused, ")) + CountText(n) +
                QStringLiteral(": ") + Text(text.second),
            failed ? FailedColour : RefusedColour);
    }
    if (messages.size() > MessageLines)
        key.Messages.emplace_back(QString::number(messages.size() - MessageLines) +
                                      QStringLiteral(" other messages"),
                                  TextColour);
    return key;
}

double KeyHeight(const TKey& key, bool stacked) {
    const std::size_t marks = stacked ? key.Marks.size() : 1;
    return KeyLineHeight() * static_cast<double>(marks + key.Messages.size());
}

void DrawKey(QPainter& p, const TKey& key, const QRectF& area, bool stacked) {
    const QFont font = Font(LegendSize);
    const QFontMetricsF metrics(font);
    p.setFont(font);
    const double line = KeyLineHeight();
    const double box = metrics.height() * 0.85;
    QPointF at = area.topLeft();
    for (const auto& [text, mark] : key.Marks) {
        double x = at.x();
        if (mark > 0) {
            const QRectF square(x, at.y() + (line - box) / 2, box, box);
            const QColor colour = mark == 2 ? FailedColour : RefusedColour;
            p.fillRect(square, mark == 1 ? MissingColour : Blend(colour, 0.22));
            p.setPen(QPen(FrameColour, 0.8));
            p.setBrush(Qt::NoBrush);
            p.drawRect(square);
            if (mark > 1)
                CrossCell(p, square, colour);
            x = square.right() + 5;
        }
        p.setPen(TextColour);
        p.drawText(QRectF(x, at.y(), area.right() - x, line), Qt::AlignLeft | Qt::AlignVCenter,
                   Elided(text, font, area.right() - x));
        if (stacked)
            at.ry() += line;
        else
            at.rx() = x + metrics.horizontalAdvance(text) + 22;
    }
    if (!stacked)
        at = QPointF(area.left(), at.y() + line);
    for (const auto& [text, colour] : key.Messages) {
        p.setPen(colour);
        p.drawText(QRectF(area.left(), at.y(), area.width(), line),
                   Qt::AlignLeft | Qt::AlignVCenter, Elided(text, font, area.width()));
        at.ry() += line;
    }
}

} // namespace ppspin::gridmaps
