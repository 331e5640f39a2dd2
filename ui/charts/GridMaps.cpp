// Maps of a grid study: per output, the values as coloured cells with
// contour lines, a colour bar, and the failed and refused runs marked.
#include "ColourBar.h"
#include "GridMapPanel.h"
#include "StudyCanvas.h"
#include "StudyPlots.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <map>

namespace ppspin {

namespace {

using namespace study;
using namespace gridmaps;

constexpr int LevelCount = 8;

bool Ascending(const std::vector<double>& v) {
    for (std::size_t k = 0; k < v.size(); ++k) {
        if (!std::isfinite(v[k]) || (k > 0 && !(v[k] > v[k - 1])))
            return false;
    }
    return !v.empty();
}

bool CheckMaps(const TGridMaps& maps, std::string& error) {
    if (!Ascending(maps.X) || !Ascending(maps.Y)) {
        error = "Grid maps: the values of both inputs must be finite and strictly ascending";
        return false;
    }
    if (maps.Outputs.empty()) {
        error = "Grid maps: no outputs to draw";
        return false;
    }
    auto fits = [&](const auto& grid) {
        return grid.size() == maps.X.size() &&
               std::all_of(grid.begin(), grid.end(),
                           [&](const auto& column) { return column.size() == maps.Y.size(); });
    };
    for (const TGridOutput& output : maps.Outputs) {
        if (!fits(output.Values)) {
            error = "Grid maps: the values of " + output.Name + " do not match the grid";
            return false;
        }
    }
    if (!maps.Cells.empty() && !fits(maps.Cells)) {
        error = "Grid maps: the run states do not match the grid";
        return false;
    }
    return true;
}

// Cell edges: halfway between neighbouring values and half a step beyond the
// ends; a single value gets a band around it.
std::vector<double> CellEdges(const std::vector<double>& v) {
    const std::size_t n = v.size();
    if (n == 1) {
        const double band = v[0] == 0 ? 0.5 : std::abs(v[0]) * 0.05;
        return {v[0] - band, v[0] + band};
    }
    std::vector<double> edges(n + 1);
    edges[0] = v[0] - (v[1] - v[0]) / 2;
    for (std::size_t k = 1; k < n; ++k)
        edges[k] = (v[k - 1] + v[k]) / 2;
    edges[n] = v[n - 1] + (v[n - 1] - v[n - 2]) / 2;
    return edges;
}

TMap PrepareMap(const TGridMaps& maps, const TGridOutput& output) {
    TMap map;
    map.Name = Text(output.Name);
    map.Values = output.Values;
    for (std::size_t i = 0; i < maps.X.size(); ++i) {
        for (std::size_t j = 0; j < maps.Y.size(); ++j) {
            auto& v = map.Values[i][j];
            if (StatusAt(maps, i, j) != TGridRunStatus::Ok || (v && !std::isfinite(*v)))
                v.reset();
            if (!v)
                continue;
            map.Lo = map.HasValues ? std::min(map.Lo, *v) : *v;
            map.Hi = map.HasValues ? std::max(map.Hi, *v) : *v;
            map.HasValues = true;
        }
    }
    if (map.HasValues) {
        map.Levels = ContourLevels(map.Lo, map.Hi, LevelCount);
        map.LevelStep = RoundStep(map.Hi - map.Lo, LevelCount);
    }
    for (const double level : map.Levels)
        map.Lines.push_back(JoinSegments(ContourSegments(maps.X, maps.Y, map.Values, level)));
    return map;
}

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

// The key: the grid's size and the marks, then the commonest messages. In a
// row under the maps, or stacked in the room the last row of maps leaves.
constexpr std::size_t MessageLines = 3;

struct TKey {
    std::vector<std::pair<QString, int>> Marks; // text, and 0 none, 1 grey, 2 failed, 3 refused
    std::vector<std::pair<QString, QColor>> Messages;
};

TKey MakeKey(const TGridMaps& maps, const TCounts& counts) {
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

double KeyLineHeight() {
    return QFontMetricsF(Font(LegendSize)).height() * 1.35;
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

// Columns of panels that leave each the most room at about 4:3.
int ColumnsFor(std::size_t count, QSizeF area) {
    int best = 1;
    double bestSide = -1;
    for (int columns = 1; columns <= static_cast<int>(count); ++columns) {
        const auto rows =
            (count + static_cast<std::size_t>(columns) - 1) / static_cast<std::size_t>(columns);
        const double w = area.width() / columns, h = area.height() / static_cast<double>(rows);
        const double side = std::min(w / 1.3, h);
        if (side > bestSide * 1.02) {
            best = columns;
            bestSide = side;
        }
    }
    return best;
}

// Panels in a grid over area.
struct TGrid {
    int Columns = 1, Rows = 1;
    QSizeF Panel;
    static constexpr double HGap = 18, VGap = 12;

    TGrid(std::size_t count, const QRectF& area) {
        Columns = ColumnsFor(count, area.size());
        Rows = static_cast<int>((count + static_cast<std::size_t>(Columns) - 1) /
                                static_cast<std::size_t>(Columns));
        Panel = QSizeF((area.width() - HGap * (Columns - 1)) / Columns,
                       (area.height() - VGap * (Rows - 1)) / Rows);
    }
    QRectF Cell(const QRectF& area, std::size_t k, int span = 1) const {
        const auto column = static_cast<int>(k % static_cast<std::size_t>(Columns));
        const auto row = static_cast<int>(k / static_cast<std::size_t>(Columns));
        return QRectF(area.left() + column * (Panel.width() + HGap),
                      area.top() + row * (Panel.height() + VGap),
                      span * Panel.width() + (span - 1) * HGap, Panel.height());
    }
};

void DrawMaps(QPainter& p, QSizeF canvas, const TGridMaps& maps, const std::vector<TMap>& outputs) {
    TFrame frame{maps, CellEdges(maps.X), CellEdges(maps.Y), p.worldTransform().m11()};
    const double margin = 14;

    const QFont titleFont = Font(TitleSize, true);
    const double titleHeight = QFontMetricsF(titleFont).height() + 12;
    QString title = Text(maps.Title);
    if (title.isEmpty())
        title = "Grid study over " + Text(maps.XName) + " and " + Text(maps.YName);
    p.setFont(titleFont);
    p.setPen(TextColour);
    p.drawText(QRectF(margin, 4, canvas.width() - 2 * margin, titleHeight), Qt::AlignCenter,
               Elided(title, titleFont, canvas.width() - 2 * margin));

    // The key goes into the last row's empty places when it fits there,
    // else in a row under the maps.
    const TKey key = MakeKey(maps, Count(maps, outputs));
    const QFontMetricsF tick(Font(TickSize)), axis(Font(AxisSize)),
        panelTitle(Font(PanelTitleSize, true));
    const double plotTop = panelTitle.height() + 6;
    QRectF area(margin, titleHeight + 4, canvas.width() - 2 * margin,
                canvas.height() - titleHeight - 4 - margin);
    TGrid grid(outputs.size(), area);
    const auto empty =
        static_cast<int>(static_cast<std::size_t>(grid.Columns * grid.Rows) - outputs.size());
    QRectF keyArea;
    const bool stacked = empty > 0 && grid.Panel.width() * empty >= 220 &&
                         KeyHeight(key, true) <= grid.Panel.height() - plotTop;
    if (stacked) {
        keyArea = grid.Cell(area, outputs.size(), empty).adjusted(24, plotTop, 0, 0);
    } else {
        const double height = KeyHeight(key, false);
        area.setBottom(area.bottom() - height - 8);
        keyArea = QRectF(margin + 4, area.bottom() + 8, canvas.width() - 2 * margin - 8, height);
        grid = TGrid(outputs.size(), area);
    }
    DrawKey(p, key, keyArea, stacked);

    TPanelLayout layout;
    layout.Top = plotTop;
    layout.Bottom = grid.Panel.height() - (TickLength + tick.height() + 2 + axis.height() + 2);
    const double plotHeight = layout.Bottom - layout.Top;
    layout.TicksY =
        RoundTicks(frame.EdgesY.front(), frame.EdgesY.back(), plotHeight, tick.height() * 2.2);
    double tickWidth = 0;
    for (const double v : layout.TicksY.Values)
        tickWidth = std::max(tickWidth, tick.horizontalAdvance(StepNumber(v, layout.TicksY.Step)));
    layout.Left = axis.height() + 4 + tickWidth + 3 + TickLength;
    layout.Right = BarRoom(outputs, plotHeight);

    // X ticks: far enough apart for the widest number.
    const double plotWidth = grid.Panel.width() - layout.Left - layout.Right;
    double gap = tick.horizontalAdvance(QStringLiteral("00000")) + 12;
    for (int pass = 0; pass < 3; ++pass) {
        layout.TicksX = RoundTicks(frame.EdgesX.front(), frame.EdgesX.back(), plotWidth, gap);
        double widest = 0;
        for (const double v : layout.TicksX.Values)
            widest = std::max(widest, tick.horizontalAdvance(StepNumber(v, layout.TicksX.Step)));
        if (widest + 12 <= gap)
            break;
        gap = widest + 12;
    }

    for (std::size_t k = 0; k < outputs.size(); ++k)
        DrawPanel(p, frame, outputs[k], grid.Cell(area, k), layout);
}

} // namespace

bool RenderGridMaps(const TGridMaps& maps, const std::string& path, int width, int height,
                    std::string& error) {
    if (!CheckPicture(path, width, height, error) || !CheckMaps(maps, error))
        return false;
    std::vector<TMap> outputs;
    outputs.reserve(maps.Outputs.size());
    for (const TGridOutput& output : maps.Outputs)
        outputs.push_back(PrepareMap(maps, output));
    return PaintPicture(
        path, width, height, Text(maps.Title),
        [&](QPainter& p, QSizeF canvas) { DrawMaps(p, canvas, maps, outputs); }, error);
}

} // namespace ppspin
