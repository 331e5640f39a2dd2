#include "SpinlineSchematic.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace ppspin {

namespace {

// Key positions of the sketch in its 107 x 180 frame.
constexpr double Axis = 56;        // filament centre line
constexpr double DieFace = 22;     // x = 0, the spinneret's lower face
constexpr double SliceTop = 84;    // x
constexpr double SliceBottom = 98; // x + dx
constexpr double RollRadius = 13;
constexpr double RollTop = 150;     // where the filament meets the roll: x = L
constexpr double DimensionLine = 7; // the line that measures L

void Arrowhead(QPainter& p, QPointF tip, QPointF towards) {
    const QPointF d = towards - tip;
    const double len = std::hypot(d.x(), d.y());
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    const QPointF pts[3] = {tip, tip + 5 * u + 2.2 * n, tip + 5 * u - 2.2 * n};
    p.drawPolygon(pts, 3);
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    Arrowhead(p, to, from);
}

} // namespace

TSpinlineSchematic::TSpinlineSchematic(QWidget* parent) : QWidget(parent) {
    setObjectName("Image1");
    setFixedSize(DrawingWidth, DrawingHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setToolTip(tr("Spinline: spinneret (hole D0) at x = 0, filament with velocity V(x) "
                  "and tension F(x), take-up roll with speed Vw and tension Fw at x = L"));
}

void TSpinlineSchematic::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);

    QFont f = font();
    f.setPixelSize(9);
    p.setFont(f);
    const QColor ink(Qt::black);
    const QColor note(0, 0, 160);
    p.setPen(QPen(ink, 1));
    p.setBrush(ink);

    // Spinneret: a hatched block with the hole on the axis.
    const double holeHalf = 3;
    const QRectF leftBlock(24, 11, Axis - holeHalf - 24, DieFace - 11);
    const QRectF rightBlock(Axis + holeHalf, 11, 88 - Axis - holeHalf, DieFace - 11);
    p.setBrush(QBrush(QColor(120, 120, 120), Qt::BDiagPattern));
    p.drawRect(leftBlock);
    p.drawRect(rightBlock);

    // Filament: swells at the hole, draws down quickly, then runs thin.
    QPainterPath filament;
    filament.moveTo(Axis - holeHalf, DieFace);
    filament.cubicTo(Axis - holeHalf - 1.5, DieFace + 12, Axis - 1, DieFace + 30, Axis - 0.8,
                     DieFace + 55);
    filament.lineTo(Axis - 0.8, RollTop);
    filament.lineTo(Axis + 0.8, RollTop);
    filament.lineTo(Axis + 0.8, DieFace + 55);
    filament.cubicTo(Axis + 1, DieFace + 30, Axis + holeHalf + 1.5, DieFace + 12, Axis + holeHalf,
                     DieFace);
    filament.closeSubpath();
    p.setBrush(QColor(200, 40, 40));
    p.setPen(QPen(QColor(150, 20, 20), 0.6));
    p.drawPath(filament);

    // D0 across the hole, x = 0 at the die face.
    p.setPen(QPen(note, 0.8));
    p.setBrush(note);
    p.drawText(QPointF(Axis + 9, 9), "D0");
    p.drawLine(QPointF(Axis + 8, 6), QPointF(Axis + 1, 11));
    p.drawText(QPointF(28, DieFace + 10), "x=0");

    // The slice between x and x + dx.
    p.setPen(QPen(ink, 0.8, Qt::DashLine));
    p.drawLine(QPointF(Axis - 12, SliceTop), QPointF(Axis + 8, SliceTop));
    p.drawLine(QPointF(Axis - 12, SliceBottom), QPointF(Axis + 8, SliceBottom));
    p.fillRect(QRectF(Axis - 3, SliceTop, 6, SliceBottom - SliceTop), QColor(255, 190, 60, 170));
    p.setPen(QPen(note, 0.8));
    p.drawText(QPointF(Axis - 21, SliceTop + 3), "x");
    p.drawText(QPointF(Axis - 43, SliceBottom + 3), "x+\u0394x");

    // Velocity and tension along the filament.
    p.setPen(QPen(ink, 0.9));
    p.setBrush(ink);
    Arrow(p, QPointF(Axis + 12, SliceTop - 22), QPointF(Axis + 12, SliceTop - 6));
    p.setPen(QPen(note, 0.8));
    p.drawText(QPointF(Axis + 16, SliceTop - 10), "V(x)");
    p.drawText(QPointF(Axis + 16, SliceBottom + 12), "F(x)");
    p.setPen(QPen(ink, 0.9));
    Arrow(p, QPointF(Axis + 12, SliceBottom + 2), QPointF(Axis + 12, SliceBottom + 18));

    // Length L from the die face to the take-up roll.
    p.setPen(QPen(ink, 0.6));
    p.drawLine(QPointF(DimensionLine - 3, DieFace), QPointF(24, DieFace));
    p.drawLine(QPointF(DimensionLine - 3, RollTop), QPointF(Axis - 3, RollTop));
    p.drawLine(QPointF(DimensionLine, DieFace), QPointF(DimensionLine, RollTop));
    Arrowhead(p, QPointF(DimensionLine, DieFace), QPointF(DimensionLine, DieFace + 10));
    Arrowhead(p, QPointF(DimensionLine, RollTop), QPointF(DimensionLine, RollTop - 10));
    p.fillRect(QRectF(DimensionLine - 4, 52, 9, 12), Qt::white);
    p.setPen(QPen(note, 0.8));
    p.drawText(QRectF(DimensionLine - 5, 52, 11, 12), Qt::AlignCenter, "L");

    // Take-up roll: the filament runs onto its left side.
    const QPointF rollCentre(Axis + RollRadius, RollTop + 1);
    p.setPen(QPen(ink, 1));
    p.setBrush(QColor(210, 210, 210));
    p.drawEllipse(rollCentre, RollRadius, RollRadius);
    p.setBrush(ink);
    p.drawEllipse(rollCentre, 1.6, 1.6);
    // Turning direction: the filament runs down the left side, so the roll
    // turns anticlockwise.
    p.setBrush(Qt::NoBrush);
    const double turnRadius = 8;
    const QRectF turn(rollCentre.x() - turnRadius, rollCentre.y() - turnRadius, 2 * turnRadius,
                      2 * turnRadius);
    p.drawArc(turn, 150 * 16, 100 * 16);
    const double end = 250 * std::numbers::pi / 180;
    const QPointF tip = rollCentre + turnRadius * QPointF(std::cos(end), -std::sin(end));
    const QPointF tangent(-std::sin(end), -std::cos(end));
    p.setBrush(ink);
    Arrowhead(p, tip + 1.5 * tangent, tip - 3 * tangent);

    p.setPen(QPen(note, 0.8));
    p.drawText(QPointF(Axis + 16, RollTop - 12), "Vw");
    p.drawText(QPointF(Axis - 22, RollTop + 22), "Fw");
    p.setPen(QPen(ink, 0.9));
    Arrow(p, QPointF(Axis - 6, RollTop + 6), QPointF(Axis - 6, RollTop + 20));
}

} // namespace ppspin
