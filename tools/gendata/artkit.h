#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QSize>

#include <functional>

class QPainter;

// Drawing helpers shared by every generated picture. Pictures are drawn four times larger and
// scaled down, which gives small glyphs clean edges without hand-placed pixels.
namespace ArtKit {

inline constexpr int Oversample = 4;

// A picture of the given pixel size drawn by paint in pixel coordinates on a background
// colour (transparent when the colour is transparent). Large pictures need less oversampling.
QImage render(QSize size, const QColor &background, const std::function<void(QPainter &)> &paint,
              int oversample = Oversample);

QColor mix(const QColor &a, const QColor &b, double t);
QColor lighter(const QColor &c, double t); // towards white
QColor darker(const QColor &c, double t);  // towards black

// A rounded body with a vertical gradient, a thin light rim on top and a dark outline.
void body(QPainter &p, const QRectF &r, double radius, const QColor &top, const QColor &bottom);

// Fills path with colour over a soft shadow one step down and right.
void glyph(QPainter &p, const QPainterPath &path, const QColor &colour);
// Strokes path with round caps and joins, with the same shadow.
void strokeGlyph(QPainter &p, const QPainterPath &path, double width, const QColor &colour);

} // namespace ArtKit
