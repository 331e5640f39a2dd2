#include "StudyPicture.h"

#include "StudyCanvas.h"

#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace ppspin {

TStudyPicture::TStudyPicture(QWidget* parent) : QWidget(parent) {
    setObjectName("StudyPicture");
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 240);
    Pause = new QTimer(this);
    Pause->setSingleShot(true);
    connect(Pause, &QTimer::timeout, this, &TStudyPicture::Prepare);
}

TStudyPicture::~TStudyPicture() {
    if (Preparing.joinable())
        Preparing.join();
}

void TStudyPicture::ShowMaps(TGridMaps maps) {
    Tornado.reset();
    Waiting = std::move(maps);
    if (!Preparing.joinable() && !Pause->isActive())
        Prepare();
}

namespace {

// The maps at a widget's size, as paintEvent would paint them.
QImage Rendered(const TGridMapsPainter& maps, QSize size, qreal ratio) {
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter p(&image);
    study::PaintScaled(p, size, [&](QPainter& on, QSizeF canvas) { maps.Paint(on, canvas); });
    return image;
}

} // namespace

bool TStudyPicture::WantsMaps() const {
    return !Preparing.joinable() && !Pause->isActive();
}

void TStudyPicture::Prepare() {
    if (!Waiting || Preparing.joinable())
        return;
    // Drawn there too, at the widget's size: Qt draws text on a QImage in
    // any thread.
    const QSize size = this->size();
    Preparing = std::thread(
        [this, maps = std::move(*Waiting), epoch = Epoch, size, ratio = devicePixelRatioF()] {
            QElapsedTimer cost;
            cost.start();
            auto painter = std::make_shared<TGridMapsPainter>();
            std::string error;
            const bool ok = painter->Prepare(maps, error);
            QImage image = ok && !size.isEmpty() ? Rendered(*painter, size, ratio) : QImage();
            QMetaObject::invokeMethod(
                this,
                [this, painter = ok ? std::move(painter) : nullptr, image = std::move(image),
                 rows = maps.Y.size(), epoch,
                 ms = cost.elapsed()] { Prepared(painter, image, rows, epoch, ms); },
                Qt::QueuedConnection);
        });
    Waiting.reset();
}

void TStudyPicture::Prepared(std::shared_ptr<const TGridMapsPainter> maps, const QImage& image,
                             std::size_t rows, int epoch, qint64 cost) {
    Preparing.join();
    // Maps of the same epoch come in order, each newer than those drawn.
    if (epoch == Epoch) {
        Maps = std::move(maps);
        MapsImage = image;
        MapRows = rows;
        update();
    }
    Pause->start(static_cast<int>(std::min<qint64>(3 * cost, 2000)));
}

void TStudyPicture::ShowTornado(const TTornado& tornado) {
    ++Epoch;
    Maps.reset();
    MapsImage = QImage();
    Waiting.reset();
    Tornado.reset();
    std::string error;
    if (CheckTornado(tornado, error))
        Tornado = tornado;
    update();
}

void TStudyPicture::Clear() {
    ++Epoch;
    Maps.reset();
    MapsImage = QImage();
    Waiting.reset();
    Tornado.reset();
    update();
}

int TStudyPicture::PointAt(QPoint position) const {
    if (!Maps)
        return -1;
    const study::TCanvas canvas = study::CanvasFor(size());
    const auto cell = Maps->CellAt(canvas.Size, canvas.Scale, QPointF(position) / canvas.Scale);
    return cell ? static_cast<int>(cell->first * MapRows + cell->second) : -1;
}

void TStudyPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (Maps && MapsImage.deviceIndependentSize().toSize() == size()) {
        p.drawImage(QPoint(0, 0), MapsImage);
        return;
    }
    p.fillRect(rect(), Qt::white);
    if (!Maps && !Tornado)
        return;
    study::PaintScaled(p, size(), [&](QPainter& painter, QSizeF canvas) {
        if (Maps)
            Maps->Paint(painter, canvas);
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
