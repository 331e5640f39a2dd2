// Maps of a grid study: per output, the values as coloured cells with
// contour lines, a colour bar, and the failed and refused runs marked. Here
// the data are checked, each output's map is prepared and the page is laid
// out; the panels, their colour bars and the key draw themselves.
#include "ColourBar.h"
#include "GridMapKey.h"
#include "GridMapPanel.h"
#include "StudyCanvas.h"
#include "StudyPainters.h"
#include "StudyPlots.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

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

// Where everything goes on the page.
struct TPage {
    QString Title;
    QRectF TitleRect;
    TKey Key;
    QRectF KeyArea;
    bool Stacked = false;
    TPanelLayout Layout;
    std::vector<QRectF> Panels; // one per output
};

TPage LayOut(QSizeF canvas, const TFrame& frame, const std::vector<TMap>& outputs) {
    const TGridMaps& maps = frame.Maps;
    TPage page;
    const double margin = 14;

    const QFont titleFont = Font(TitleSize, true);
    const double titleHeight = QFontMetricsF(titleFont).height() + 12;
    page.Title = Text(maps.Title);
    if (page.Title.isEmpty())
        page.Title = "Grid study over " + Text(maps.XName) + " and " + Text(maps.YName);
    page.Title = Elided(page.Title, titleFont, canvas.width() - 2 * margin);
    page.TitleRect = QRectF(margin, 4, canvas.width() - 2 * margin, titleHeight);

    // The key goes into the last row's empty places when it fits there,
    // else in a row under the maps.
    page.Key = MakeKey(maps, outputs);
    const QFontMetricsF tick(Font(TickSize)), axis(Font(AxisSize)),
        panelTitle(Font(PanelTitleSize, true));
    const double plotTop = panelTitle.height() + 6;
    QRectF area(margin, titleHeight + 4, canvas.width() - 2 * margin,
                canvas.height() - titleHeight - 4 - margin);
    TGrid grid(outputs.size(), area);
    const auto empty =
        static_cast<int>(static_cast<std::size_t>(grid.Columns * grid.Rows) - outputs.size());
    page.Stacked = empty > 0 && grid.Panel.width() * empty >= 220 &&
                   KeyHeight(page.Key, true) <= grid.Panel.height() - plotTop;
    if (page.Stacked) {
        page.KeyArea = grid.Cell(area, outputs.size(), empty).adjusted(24, plotTop, 0, 0);
    } else {
        const double height = KeyHeight(page.Key, false);
        area.setBottom(area.bottom() - height - 8);
        page.KeyArea =
            QRectF(margin + 4, area.bottom() + 8, canvas.width() - 2 * margin - 8, height);
        grid = TGrid(outputs.size(), area);
    }

    TPanelLayout& layout = page.Layout;
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
        page.Panels.push_back(grid.Cell(area, k));
    return page;
}

// The cell of edges that v lies in, if any.
std::optional<std::size_t> CellOf(const std::vector<double>& edges, double v) {
    if (!(v >= edges.front() && v <= edges.back()))
        return std::nullopt;
    const auto above = std::upper_bound(edges.begin(), edges.end(), v);
    return static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(
        above - edges.begin() - 1, 0, static_cast<std::ptrdiff_t>(edges.size()) - 2));
}

} // namespace

struct TGridMapsPainter::TPrepared {
    TGridMaps Maps;
    std::vector<TMap> Outputs;
    std::vector<double> EdgesX, EdgesY;

    TFrame Frame(double scale) const { return {Maps, EdgesX, EdgesY, scale}; }
};

TGridMapsPainter::TGridMapsPainter() = default;
TGridMapsPainter::~TGridMapsPainter() = default;

bool TGridMapsPainter::Prepare(const TGridMaps& maps, std::string& error) {
    Prepared.reset();
    if (!CheckMaps(maps, error))
        return false;
    auto prepared = std::make_unique<TPrepared>();
    prepared->Maps = maps;
    prepared->Outputs.reserve(maps.Outputs.size());
    for (const TGridOutput& output : maps.Outputs)
        prepared->Outputs.push_back(PrepareMap(maps, output));
    prepared->EdgesX = CellEdges(maps.X);
    prepared->EdgesY = CellEdges(maps.Y);
    Prepared = std::move(prepared);
    return true;
}

void TGridMapsPainter::Paint(QPainter& p, QSizeF canvas) const {
    if (!Prepared)
        return;
    const TFrame frame = Prepared->Frame(p.worldTransform().m11());
    const TPage page = LayOut(canvas, frame, Prepared->Outputs);
    p.setFont(Font(TitleSize, true));
    p.setPen(TextColour);
    p.drawText(page.TitleRect, Qt::AlignCenter, page.Title);
    DrawKey(p, page.Key, page.KeyArea, page.Stacked);
    for (std::size_t k = 0; k < page.Panels.size(); ++k)
        DrawPanel(p, frame, Prepared->Outputs[k], page.Panels[k], page.Layout);
}

std::optional<std::pair<std::size_t, std::size_t>>
TGridMapsPainter::CellAt(QSizeF canvas, double scale, QPointF position) const {
    if (!Prepared)
        return std::nullopt;
    const TFrame frame = Prepared->Frame(scale);
    const TPage page = LayOut(canvas, frame, Prepared->Outputs);
    for (const QRectF& panel : page.Panels) {
        const QRectF plot = PlotRect(frame, PlotPixels(frame, panel, page.Layout));
        if (!plot.contains(position) || plot.width() <= 0 || plot.height() <= 0)
            continue;
        // y grows upwards on the maps.
        const TScale x{plot.left(), plot.right(), frame.EdgesX.front(), frame.EdgesX.back()};
        const TScale y{plot.bottom(), plot.top(), frame.EdgesY.front(), frame.EdgesY.back()};
        const auto i = CellOf(frame.EdgesX, x(position.x()));
        const auto j = CellOf(frame.EdgesY, y(position.y()));
        if (i && j)
            return std::pair(*i, *j);
    }
    return std::nullopt;
}

bool RenderGridMaps(const TGridMaps& maps, const std::string& path, int width, int height,
                    std::string& error) {
    TGridMapsPainter painter;
    if (!CheckPicture(path, width, height, error) || !painter.Prepare(maps, error))
        return false;
    return PaintPicture(
        path, width, height, Text(maps.Title),
        [&](QPainter& p, QSizeF canvas) { painter.Paint(p, canvas); }, error);
}

} // namespace ppspin
