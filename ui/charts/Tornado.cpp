// Tornado charts: per output, each input's elasticity as a bar from zero,
// the largest magnitude on top, inputs whose runs failed at the bottom.
#include "StudyCanvas.h"
#include "StudyPainters.h"
#include "StudyPlots.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ppspin {

namespace {

using namespace study;

const QColor PositiveColour(68, 119, 170);
const QColor NegativeColour(238, 136, 51);
const QColor GridColour(228, 228, 228);

constexpr double TitleSize = 17, PanelTitleSize = 13, NameSize = 12, TickSize = 11, AxisSize = 11.5,
                 TickLength = 4;

struct TRow {
    QString Name;
    std::optional<double> Value;
    QString Message;
};

std::vector<TRow> SortedRows(const TTornado& tornado, const TTornadoOutput& output) {
    std::vector<TRow> rows;
    for (std::size_t k = 0; k < tornado.Inputs.size(); ++k) {
        const TSensitivity& s = output.Inputs[k];
        TRow row{QString::fromStdString(tornado.Inputs[k]), std::nullopt,
                 QString::fromStdString(s.Message)};
        if (s.Elasticity && std::isfinite(*s.Elasticity))
            row.Value = s.Elasticity;
        rows.push_back(std::move(row));
    }
    std::stable_sort(rows.begin(), rows.end(), [](const TRow& a, const TRow& b) {
        if (a.Value.has_value() != b.Value.has_value())
            return a.Value.has_value();
        return a.Value && std::abs(*a.Value) > std::abs(*b.Value);
    });
    return rows;
}

// Three significant digits with the sign spelled out: +0.52, −1.2.
QString ElasticityText(double v) {
    return v > 0 ? "+" + SignificantNumber(v, 3) : SignificantNumber(v, 3);
}

void DrawPanel(QPainter& p, const QString& name, const std::vector<TRow>& rows, const QRectF& panel,
               double nameWidth) {
    const QFontMetricsF tick(Font(TickSize)), axis(Font(AxisSize));
    const QFont titleFont = Font(PanelTitleSize, true);
    const double titleHeight = QFontMetricsF(titleFont).height() + 8;
    const QRectF plot(
        panel.left() + nameWidth, panel.top() + titleHeight, panel.width() - nameWidth - 12,
        panel.height() - titleHeight - (TickLength + tick.height() + 2 + axis.height() + 4));
    if (plot.width() < 20 || plot.height() < 4)
        return;

    // Centred over the bars, as wide as the panel allows.
    const double half =
        std::min(plot.center().x() - panel.left(), panel.right() - plot.center().x());
    p.setFont(titleFont);
    p.setPen(TextColour);
    p.drawText(QRectF(plot.center().x() - half, panel.top(), 2 * half, titleHeight - 4),
               Qt::AlignHCenter | Qt::AlignBottom, Elided(name, titleFont, 2 * half));

    const double rowHeight = plot.height() / static_cast<double>(rows.size());
    const QFont rowFont = Font(std::clamp(rowHeight * 0.6, 6.0, NameSize));
    const QFontMetricsF rowMetrics(rowFont);
    const double thickness = std::min(rowHeight * 0.62, 26.0);

    // Zero and every bar in range, with room beyond each bar for its value.
    double lo = 0, hi = 0;
    for (const TRow& row : rows) {
        if (row.Value) {
            lo = std::min(lo, *row.Value);
            hi = std::max(hi, *row.Value);
        }
    }
    if (!(hi > lo)) {
        lo = -1;
        hi = 1;
    }
    // The range ends on whole steps, widened a step at a time where a value
    // would not fit beside its bar, and the step grows while ticks crowd.
    const double gap = tick.horizontalAdvance(QStringLiteral("\u22120.00")) + 14;
    double step = RoundTicks(lo, hi, plot.width(), gap).Step;
    auto x = [&](double v) { return plot.left() + (v - lo) / (hi - lo) * plot.width(); };
    for (int pass = 0; pass < 30; ++pass) {
        lo = std::floor(lo / step + 1e-9) * step;
        hi = std::ceil(hi / step - 1e-9) * step;
        if ((hi - lo) / step * gap > plot.width() * 1.001) {
            step = RoundTicks(lo, hi, plot.width(), gap).Step;
            continue;
        }
        bool grown = false;
        for (const TRow& row : rows) {
            if (!row.Value)
                continue;
            const double room = rowMetrics.horizontalAdvance(ElasticityText(*row.Value)) + 6;
            if (*row.Value >= 0 && x(*row.Value) + room > plot.right()) {
                hi += step;
                grown = true;
                break;
            }
            if (*row.Value < 0 && x(*row.Value) - room < plot.left()) {
                lo -= step;
                grown = true;
                break;
            }
        }
        if (!grown)
            break;
    }
    TTicks ticks;
    ticks.Step = step;
    for (double k = std::round(lo / step); k * step <= hi + step * 1e-9; ++k)
        ticks.Values.push_back(k * step);

    for (const double v : ticks.Values) {
        p.setPen(QPen(GridColour, 1));
        p.drawLine(QPointF(x(v), plot.top()), QPointF(x(v), plot.bottom()));
    }
    const double zero = x(0);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const TRow& row = rows[k];
        const double centre = plot.top() + (static_cast<double>(k) + 0.5) * rowHeight;
        p.setFont(rowFont);
        p.setPen(TextColour);
        p.drawText(QRectF(panel.left(), centre - rowHeight / 2, nameWidth - 10, rowHeight),
                   Qt::AlignRight | Qt::AlignVCenter, Elided(row.Name, rowFont, nameWidth - 10));
        if (row.Value) {
            const double end = x(*row.Value);
            const QRectF bar(QPointF(std::min(zero, end), centre - thickness / 2),
                             QPointF(std::max(zero, end), centre + thickness / 2));
            p.fillRect(bar, *row.Value >= 0 ? PositiveColour : NegativeColour);
            const QString text = ElasticityText(*row.Value);
            const double width = rowMetrics.horizontalAdvance(text) + 2;
            p.setPen(TextColour);
            if (*row.Value >= 0)
                p.drawText(QRectF(end + 4, centre - rowHeight / 2, width, rowHeight),
                           Qt::AlignLeft | Qt::AlignVCenter, text);
            else
                p.drawText(QRectF(end - 4 - width, centre - rowHeight / 2, width, rowHeight),
                           Qt::AlignRight | Qt::AlignVCenter, text);
            continue;
        }
        // No bar: a cross on the zero line and why, on the roomier side.
        const double d = std::clamp(thickness * 0.28, 2.5, 6.0);
        DrawCross(p, QPointF(zero, centre), d, FailedColour);
        QFont italic = rowFont;
        italic.setItalic(true);
        p.setFont(italic);
        p.setPen(FailedColour);
        const QString text =
            row.Message.isEmpty() ? QStringLiteral("failed") : "failed: " + row.Message;
        if (zero - plot.left() < plot.right() - zero) {
            const double left = zero + d + 6;
            p.drawText(QRectF(left, centre - rowHeight / 2, plot.right() - left, rowHeight),
                       Qt::AlignLeft | Qt::AlignVCenter, Elided(text, italic, plot.right() - left));
        } else {
            const double right = zero - d - 6;
            p.drawText(QRectF(plot.left(), centre - rowHeight / 2, right - plot.left(), rowHeight),
                       Qt::AlignRight | Qt::AlignVCenter,
                       Elided(text, italic, right - plot.left()));
        }
    }
    p.setPen(QPen(TextColour, 1.2));
    p.drawLine(QPointF(zero, plot.top()), QPointF(zero, plot.bottom()));
    p.setPen(QPen(FrameColour, 1));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());

    p.setFont(Font(TickSize));
    for (const double v : ticks.Values) {
        p.setPen(QPen(FrameColour, 1));
        p.drawLine(QPointF(x(v), plot.bottom()), QPointF(x(v), plot.bottom() + TickLength));
        p.setPen(TextColour);
        p.drawText(QRectF(x(v) - 50, plot.bottom() + TickLength + 1, 100, tick.height()),
                   Qt::AlignHCenter | Qt::AlignTop, StepNumber(v, ticks.Step));
    }
    const QFont axisFont = Font(AxisSize);
    p.setFont(axisFont);
    p.drawText(
        QRectF(plot.left(), plot.bottom() + TickLength + tick.height() + 3, plot.width(),
               axis.height()),
        Qt::AlignHCenter | Qt::AlignTop,
        Elided(QStringLiteral("elasticity (d ln output / d ln input)"), axisFont, plot.width()));
}

} // namespace

bool CheckTornado(const TTornado& tornado, std::string& error) {
    if (tornado.Inputs.empty() || tornado.Outputs.empty()) {
        error = "Tornado: no inputs or no outputs to draw";
        return false;
    }
    for (const TTornadoOutput& output : tornado.Outputs) {
        if (output.Inputs.size() != tornado.Inputs.size()) {
            error = "Tornado: " + output.Name + " has " + std::to_string(output.Inputs.size()) +
                    " elasticities for " + std::to_string(tornado.Inputs.size()) + " inputs";
            return false;
        }
    }
    return true;
}

void PaintTornado(QPainter& p, QSizeF canvas, const TTornado& tornado) {
    const double margin = 16;
    double top = 6;
    if (!tornado.Title.empty()) {
        const QFont titleFont = Font(TitleSize, true);
        const double height = QFontMetricsF(titleFont).height() + 12;
        p.setFont(titleFont);
        p.setPen(TextColour);
        p.drawText(
            QRectF(margin, top, canvas.width() - 2 * margin, height), Qt::AlignCenter,
            Elided(QString::fromStdString(tornado.Title), titleFont, canvas.width() - 2 * margin));
        top += height;
    }

    // Side by side on a wide picture, stacked on a tall one.
    const std::size_t count = tornado.Outputs.size();
    const std::size_t columns =
        canvas.width() >= canvas.height() ? std::min<std::size_t>(count, 2) : 1;
    const std::size_t rows = (count + columns - 1) / columns;
    const double hGap = 30, vGap = 18;
    const QRectF area(margin, top + 4, canvas.width() - 2 * margin, canvas.height() - top - 4 - 10);
    const QSizeF panel(
        (area.width() - hGap * static_cast<double>(columns - 1)) / static_cast<double>(columns),
        (area.height() - vGap * static_cast<double>(rows - 1)) / static_cast<double>(rows));

    // One name column for all, so that stacked charts line up; at most 45 %
    // of a panel, longer names are cut.
    const QFontMetricsF names(Font(NameSize));
    double nameWidth = 0;
    for (const std::string& input : tornado.Inputs)
        nameWidth = std::max(nameWidth, names.horizontalAdvance(QString::fromStdString(input)));
    nameWidth = std::min(nameWidth + 14, panel.width() * 0.45);

    for (std::size_t k = 0; k < count; ++k) {
        const QRectF rect(area.left() + static_cast<double>(k % columns) * (panel.width() + hGap),
                          area.top() + static_cast<double>(k / columns) * (panel.height() + vGap),
                          panel.width(), panel.height());
        const TTornadoOutput& output = tornado.Outputs[k];
        DrawPanel(p, QString::fromStdString(output.Name), SortedRows(tornado, output), rect,
                  nameWidth);
    }
}

bool RenderTornado(const TTornado& tornado, const std::string& path, int width, int height,
                   std::string& error) {
    if (!CheckPicture(path, width, height, error) || !CheckTornado(tornado, error))
        return false;
    return PaintPicture(
        path, width, height, QString::fromStdString(tornado.Title),
        [&](QPainter& p, QSizeF canvas) { PaintTornado(p, canvas, tornado); }, error);
}

} // namespace ppspin
