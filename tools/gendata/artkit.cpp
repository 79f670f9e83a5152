#include "tools/gendata/artkit.h"

#include <QLinearGradient>
#include <QPainter>

namespace ArtKit {

QImage render(QSize size, const QColor &background, const std::function<void(QPainter &)> &paint,
              int oversample)
{
    QImage big(size * oversample, QImage::Format_ARGB32_Premultiplied);
    big.fill(background);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(oversample, oversample);
        paint(p);
    }
    QImage small = big.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return background.alpha() == 255 ? small.convertToFormat(QImage::Format_RGB32)
                                     : small.convertToFormat(QImage::Format_ARGB32);
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    const auto channel = [t](int x, int y) { return qRound(x + (y - x) * t); };
    return {channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()),
            channel(a.alpha(), b.alpha())};
}

QColor lighter(const QColor &c, double t)
{
    return mix(c, QColor(255, 255, 255, c.alpha()), t);
}

QColor darker(const QColor &c, double t)
{
    return mix(c, QColor(0, 0, 0, c.alpha()), t);
}

void body(QPainter &p, const QRectF &r, double radius, const QColor &top, const QColor &bottom)
{
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setPen(QPen(darker(bottom, 0.55), 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);

    // A light rim along the upper half gives the body its bevel.
    QLinearGradient rim(r.topLeft(), r.bottomLeft());
    rim.setColorAt(0, QColor(255, 255, 255, 110));
    rim.setColorAt(0.5, QColor(255, 255, 255, 0));
    p.setPen(QPen(QBrush(rim), 0.8));
    p.setBrush(Qt::NoBrush);
    const QRectF inner = r.adjusted(1, 1, -1, -1);
    p.drawRoundedRect(inner, qMax(0.0, radius - 1), qMax(0.0, radius - 1));
}

void glyph(QPainter &p, const QPainterPath &path, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(path.translated(0.5, 0.6));
    p.setBrush(colour);
    p.drawPath(path);
}

void strokeGlyph(QPainter &p, const QPainterPath &path, double width, const QColor &colour)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 90), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path.translated(0.5, 0.6));
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

} // namespace ArtKit
