// Offscreen pictures of chart pages, as PNG or SVG by the file's ending.
#pragma once

#include <QSize>
#include <QString>

#include <functional>

class QLabel;
class QPainter;
class QWidget;

namespace ppspin {

// The size of a picture when none is asked for, in pixels.
inline constexpr QSize DefaultPlotSize(1600, 1200);

// True for names ending in .png or .svg (any case).
bool IsImageFileName(const QString& path);

// Asks for the name of a PNG or SVG picture, suggesting suggested; the
// ending of the type chosen is added to a name without one. Empty when
// the operator gives none.
QString AskImagePath(QWidget* parent, const QString& suggested);

// Why a picture cannot be made at path and size; empty when it can.
QString PictureRefusal(const QString& path, QSize size);

// Writes a picture of size pixels to path, PNG or SVG by its ending, whole
// or not at all: draw paints it on a white ground. False when it cannot be
// written.
bool WritePicture(const QString& path, QSize size, const QString& title,
                  const std::function<void(QPainter&)>& draw);

// Puts content on page under title (none when empty), on a white ground,
// as a picture's page.
void PlaceOnPage(QWidget& page, const QString& title, QWidget* content);

// A picture's title as PlaceOnPage sets it above the content.
QLabel* PageTitle(const QString& title, QWidget* page);

// Lays page out for a picture of size pixels, lines up the plot areas of
// its chart stacks, and writes it to path. The page must not be shown; it
// is drawn without appearing on screen. Needs a QApplication (the offscreen
// platform will do). On failure returns false with the reason in *error.
bool SaveChartImage(QWidget& page, const QString& path, QSize size, QString* error);

} // namespace ppspin
