#include "ImageExport.h"

#include "ChartStack.h"
#include "FileReplacement.h"

#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace ppspin {

namespace {

// Pictures are laid out at about this size and scaled up, so that text and
// lines keep their proportion to the charts in large pictures.
constexpr double LayoutWidth = 1100, LayoutHeight = 825;

void SetError(QString* error, const QString& text) {
    if (error != nullptr)
        *error = text;
}

void DrawPage(QWidget& page, QPainter& painter, double scale) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    page.render(&painter);
}

} // namespace

bool IsImageFileName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == "png" || suffix == "svg";
}

QLabel* PageTitle(const QString& title, QWidget* page) {
    auto* label = new QLabel(title, page);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    label->setFont(font);
    return label;
}

void PlaceOnPage(QWidget& page, const QString& title, QWidget* content) {
    page.setWindowTitle(title);
    page.setAutoFillBackground(true);
    page.setPalette(QPalette(Qt::white));
    auto* layout = new QVBoxLayout(&page);
    layout->setContentsMargins(0, 4, 0, 0);
    if (!title.isEmpty())
        layout->addWidget(PageTitle(title, &page));
    layout->addWidget(content, 1);
}

bool WritePicture(const QString& path, QSize size, const QString& title,
                  const std::function<void(QPainter&)>& draw) {
    // Encoded in memory first: the PNG encoder abandons its copy of the
    // image when a write to a file fails (its error handler jumps past the
    // copy's release), and a buffer never fails. The file then gets the
    // bytes whole or not at all.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool ok = false;
    if (QFileInfo(path).suffix().toLower() == "svg") {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(title);
        QPainter painter;
        ok = painter.begin(&svg);
        if (ok) {
            painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
            draw(painter);
            ok = painter.end();
        }
    } else {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        ok = !image.isNull();
        if (ok) {
            image.fill(Qt::white);
            {
                QPainter painter(&image);
                draw(painter);
            }
            ok = image.save(&buffer, "PNG");
        }
    }
    const QByteArray& bytes = buffer.data();
    return ok && ReplaceFileWith(
                     QFile::encodeName(path).toStdString(),
                     std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QString AskImagePath(QWidget* parent, const QString& suggested) {
    QString filter;
    QString path = QFileDialog::getSaveFileName(parent, "Save Image", suggested,
                                                "PNG image (*.png);;SVG image (*.svg)", &filter);
    if (!path.isEmpty() && !IsImageFileName(path))
        path += filter.startsWith("SVG") ? ".svg" : ".png";
    return path;
}

QString PictureRefusal(const QString& path, QSize size) {
    if (!IsImageFileName(path))
        return "Image file name must end in .png or .svg: " + path;
    if (size.width() < 1 || size.height() < 1)
        return "Image size must be positive";
    return {};
}

bool SaveChartImage(QWidget& page, const QString& path, QSize size, QString* error) {
    if (const QString refusal = PictureRefusal(path, size); !refusal.isEmpty()) {
        SetError(error, refusal);
        return false;
    }
    const double scale =
        std::clamp(std::min(size.width() / LayoutWidth, size.height() / LayoutHeight), 1.0, 4.0);
    const QSize layoutSize(static_cast<int>(std::ceil(size.width() / scale)),
                           static_cast<int>(std::ceil(size.height() / scale)));

    // Shown, but never on screen: the layouts and the charts take their sizes
    // before the plot areas are lined up.
    page.setAttribute(Qt::WA_DontShowOnScreen);
    page.resize(layoutSize);
    page.show();
    QList<TChartStack*> stacks = page.findChildren<TChartStack*>();
    if (auto* stack = qobject_cast<TChartStack*>(&page))
        stacks.append(stack);
    for (TChartStack* stack : stacks)
        stack->AlignPlotAreas();

    const bool ok = WritePicture(path, size, page.windowTitle(),
                                 [&](QPainter& painter) { DrawPage(page, painter, scale); });
    page.hide();
    if (!ok)
        SetError(error, "Image can not be written: " + path);
    return ok;
}

} // namespace ppspin
