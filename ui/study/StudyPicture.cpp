#include "StudyPicture.h"

#include "StudyCanvas.h"

#include <QMouseEvent>
#include <QPainter>

namespace ppspin {

TStudyPicture::TStudyPicture(QWidget* parent) : QWidget(parent) {
    setObjectName("StudyPicture");
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 240);
}

void TStudyPicture::ShowMaps(const TGridMaps& maps) {
    std::string error;
    HasMaps = Maps.Prepare(maps, error);
    MapRows = maps.Y.size();
    Tornado.reset();
    update();
}

void TStudyPicture::ShowTornado(const TTornado& tornado) {
    std::string error;
    HasMaps = false;
    Tornado.reset();
    if (CheckTornado(tornado, error))
        Tornado = tornado;
    update();
}

void TStudyPicture::Clear() {
    HasMaps = false;
    Tornado.reset();
    update();
}

int TStudyPicture::PointAt(QPoint position) const {
    if (!HasMaps)
        return -1;
    const study::TCanvas canvas = study::CanvasFor(size());
    const auto cell = Maps.CellAt(canvas.Size, canvas.Scale, QPointF(position) / canvas.Scale);
    return cell ? static_cast<int>(cell->first * MapRows + cell->second) : -1;
}

void TStudyPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!HasMaps && !Tornado)
        return;
    study::PaintScaled(p, size(), [&](QPainter& painter, QSizeF canvas) {
        if (HasMaps)
            Maps.Paint(painter, canvas);
        else
            PaintTornado(painter, canvas, *Tornado);
    });
}

void TStudyPicture::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (const int index = PointAt(event->position().toPoint());
        event->button() == Qt::LeftButton && index >= 0)
        emit PointClicked(index);
}

void TStudyPicture::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);
    if (const int index = PointAt(event->position().toPoint());
        event->button() == Qt::LeftButton && index >= 0)
        emit PointActivated(index);
}

} // namespace ppspin
