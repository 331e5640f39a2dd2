// The colours of the maps' values, and the colour bar that reads them back.
#include "ColourBar.h"
#include "StudyCanvas.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace ppspin::gridmaps {

namespace {

using namespace study;

// Viridis in eleven even stops: perceptually uniform, monotonic in
// lightness, readable by the colour-blind and in grey. Between the stops
// the colour is interpolated in sRGB, which stays close to the full map.
constexpr std::array<std::array<int, 3>, 11> Viridis = {{{68, 1, 84},
                                                         {72, 37, 118},
                                                         {65, 68, 135},
                                                         {53, 96, 141},
                                                         {42, 120, 142},
                                                         {33, 144, 140},
                                                         {34, 168, 132},
                                                         {67, 191, 113},
                                                         {122, 209, 81},
                                                         {187, 223, 39},
                                                         {253, 231, 37}}};

constexpr double BarGap = 10, BarWidth = 14;

// The colour bar's labels: every level when they have room, else every
// second, fifth, ... so that the labelled ones stay round.
std::vector<std::pair<double, QString>> BarLabels(const TMap& map, double barHeight) {
    std::vector<std::pair<double, QString>> labels;
    if (!map.HasValues)
        return labels;
    if (!(map.Hi > map.Lo)) {
        labels.emplace_back(map.Lo, SignificantNumber(map.Lo, 6));
        return labels;
    }
    const double gap = barHeight * map.LevelStep / (map.Hi - map.Lo);
    const double needed = QFontMetricsF(Font(TickSize)).height() * 1.3;
    long every = 1;
    for (const long n : {1L, 2L, 5L, 10L, 20L}) {
        every = n;
        if (gap * static_cast<double>(n) >= needed)
            break;
    }
    for (const double level : map.Levels) {
        if (std::lround(level / map.LevelStep) % every == 0)
            labels.emplace_back(level,
                                StepNumber(level, map.LevelStep * static_cast<double>(every)));
    }
    return labels;
}

} // namespace

QColor ViridisAt(double t) {
    const double s = std::clamp(std::isfinite(t) ? t : 0.5, 0.0, 1.0) * 10;
    const auto k = static_cast<std::size_t>(std::min(9.0, std::floor(s)));
    const double f = s - static_cast<double>(k);
    auto channel = [&](std::size_t c) {
        return static_cast<int>(
            std::lround(Viridis[k][c] + f * (Viridis[k + 1][c] - Viridis[k][c])));
    };
    return QColor(channel(0), channel(1), channel(2));
}

QColor LineColour(const QColor& under) {
    const double luminance =
        0.2126 * under.redF() + 0.7152 * under.greenF() + 0.0722 * under.blueF();
    return luminance > 0.4 ? QColor(0, 0, 0, 170) : QColor(255, 255, 255, 210);
}

double BarRoom(const std::vector<TMap>& maps, double plotHeight) {
    const QFontMetricsF tick(Font(TickSize));
    double barLabelWidth = tick.height(); // "no values" stands on end
    for (const TMap& map : maps) {
        for (const auto& label : BarLabels(map, plotHeight))
            barLabelWidth = std::max(barLabelWidth, tick.horizontalAdvance(label.second));
    }
    return BarGap + BarWidth + TickLength + 3 + barLabelWidth + 2;
}

// The levels as lines across the bar, some labelled.
void DrawColourBar(QPainter& p, const TMap& map, const QRectF& plot, double right) {
    const QFont tickFont = Font(TickSize);
    const QFontMetricsF tickMetrics(tickFont);
    const QRectF bar(plot.right() + BarGap, plot.top(), BarWidth, plot.height());
    if (!map.HasValues) {
        p.fillRect(bar, MissingColour);
        p.setPen(TextColour);
        p.save();
        p.translate(bar.right() + TickLength, bar.center().y());
        p.rotate(-90);
        p.setFont(tickFont);
        p.drawText(QRectF(-bar.height() / 2, 0, bar.height(), tickMetrics.height()),
                   Qt::AlignCenter, QStringLiteral("no values"));
        p.restore();
    } else if (!(map.Hi > map.Lo)) {
        p.fillRect(bar, ViridisAt(0.5));
    } else {
        QLinearGradient gradient(bar.bottomLeft(), bar.topLeft());
        for (std::size_t k = 0; k < Viridis.size(); ++k)
            gradient.setColorAt(static_cast<double>(k) / 10,
                                QColor(Viridis[k][0], Viridis[k][1], Viridis[k][2]));
        p.fillRect(bar, gradient);
    }
    const TScale sb{map.Lo, map.Hi, bar.bottom(), bar.top()};
    auto barY = [&](double v) { return map.Hi > map.Lo ? sb(v) : bar.center().y(); };
    for (const double level : map.Levels) {
        p.setPen(QPen(LineColour(ViridisAt(map.Fraction(level))), 0.9));
        p.drawLine(QPointF(bar.left(), barY(level)), QPointF(bar.right(), barY(level)));
    }
    p.setPen(QPen(FrameColour, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(bar);
    p.setFont(tickFont);
    for (const auto& [value, text] : BarLabels(map, bar.height())) {
        const double y = barY(value);
        p.setPen(QPen(FrameColour, 1));
        p.drawLine(QPointF(bar.right(), y), QPointF(bar.right() + TickLength, y));
        p.setPen(TextColour);
        p.drawText(QRectF(bar.right() + TickLength + 3, y - tickMetrics.height() / 2,
                          right - bar.right(), tickMetrics.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

} // namespace ppspin::gridmaps
