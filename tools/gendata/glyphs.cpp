#include "tools/gendata/glyphs.h"

#include <QPolygonF>
#include <QTransform>

namespace {

QPointF at(const QRectF &b, double fx, double fy)
{
    return {b.left() + b.width() * fx, b.top() + b.height() * fy};
}

QPainterPath polygon(const QRectF &b, std::initializer_list<QPointF> fractions)
{
    QPolygonF points;
    for (const QPointF &f : fractions)
        points << at(b, f.x(), f.y());
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    return path;
}

} // namespace

namespace Glyphs {

QPainterPath play(const QRectF &box)
{
    // Optically centred: a triangle's mass sits left of its box centre.
    return polygon(box, {{0.22, 0.08}, {0.22, 0.92}, {0.92, 0.5}});
}

QPainterPath pause(const QRectF &box)
{
    QPainterPath path;
    const double w = box.width() * 0.28;
    const double h = box.height() * 0.84;
    const double top = box.top() + box.height() * 0.08;
    const double r = w * 0.2;
    path.addRoundedRect(QRectF(box.left() + box.width() * 0.16, top, w, h), r, r);
    path.addRoundedRect(QRectF(box.right() - box.width() * 0.16 - w, top, w, h), r, r);
    return path;
}

QPainterPath stop(const QRectF &box)
{
    QPainterPath path;
    const QRectF square = box.adjusted(box.width() * 0.12, box.height() * 0.12, -box.width() * 0.12,
                                       -box.height() * 0.12);
    path.addRoundedRect(square, square.width() * 0.12, square.width() * 0.12);
    return path;
}

QPainterPath speaker(const QRectF &box)
{
    return polygon(
        box, {{0.02, 0.36}, {0.2, 0.36}, {0.46, 0.1}, {0.46, 0.9}, {0.2, 0.64}, {0.02, 0.64}});
}

QPainterPath soundWaves(const QRectF &box)
{
    QPainterPath path;
    const QPointF centre = at(box, 0.42, 0.5);
    for (const double radius : {0.2, 0.36}) {
        const double r = box.width() * radius;
        const QRectF arc(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
        path.arcMoveTo(arc, -45);
        path.arcTo(arc, -45, 90);
    }
    return path;
}

QPainterPath cross(const QRectF &box)
{
    QPainterPath path;
    path.moveTo(box.topLeft());
    path.lineTo(box.bottomRight());
    path.moveTo(box.topRight());
    path.lineTo(box.bottomLeft());
    return path;
}

QPainterPath repeatLoop(const QRectF &box)
{
    // Two strokes round a rounded rectangle, each stopping short where its head goes.
    const double r = box.height() * 0.42;
    QPainterPath path;
    path.moveTo(at(box, 0.0, 0.62));
    path.lineTo(at(box, 0.0, 0.5));
    path.arcTo(QRectF(box.left(), box.top(), 2 * r, 2 * r), 180, -90);
    path.lineTo(at(box, 0.7, 0.0));
    path.moveTo(at(box, 1.0, 0.38));
    path.lineTo(at(box, 1.0, 0.5));
    path.arcTo(QRectF(box.right() - 2 * r, box.bottom() - 2 * r, 2 * r, 2 * r), 0, -90);
    path.lineTo(at(box, 0.3, 1.0));
    return path;
}

QPainterPath repeatHeads(const QRectF &box)
{
    const double h = box.height() * 0.36;
    QPainterPath path;
    const QPointF a = at(box, 0.66, 0.0);
    path.addPolygon(QPolygonF{{a.x(), a.y() - h}, {a.x() + h * 1.15, a.y()}, {a.x(), a.y() + h}});
    path.closeSubpath();
    const QPointF b = at(box, 0.34, 1.0);
    path.addPolygon(QPolygonF{{b.x(), b.y() - h}, {b.x() - h * 1.15, b.y()}, {b.x(), b.y() + h}});
    path.closeSubpath();
    return path;
}

QPainterPath chevron(const QRectF &box, bool up)
{
    QPainterPath path;
    const double tip = up ? 0.0 : 1.0;
    const double ends = up ? 1.0 : 0.0;
    path.moveTo(at(box, 0.0, ends));
    path.lineTo(at(box, 0.5, tip));
    path.lineTo(at(box, 1.0, ends));
    return path;
}

QPainterPath pin(const QRectF &box, bool pinned)
{
    // Drawn upright in a unit box, then placed: a round head, a collar and a needle.
    QPainterPath unit;
    unit.addEllipse(QRectF(0.22, 0.0, 0.56, 0.4));
    unit.addPolygon(QPolygonF{{0.3, 0.32}, {0.7, 0.32}, {0.62, 0.56}, {0.38, 0.56}});
    unit.closeSubpath();
    unit.addPolygon(QPolygonF{{0.46, 0.56}, {0.54, 0.56}, {0.5, 1.0}});
    unit.closeSubpath();
    unit.setFillRule(Qt::WindingFill);

    QTransform place;
    if (pinned) {
        place.translate(box.left() + box.width() * 0.15, box.top());
        place.scale(box.width() * 0.7, box.height() * 0.86);
    } else {
        place.translate(box.left() + box.width() * 0.5, box.top() + box.height() * 0.38);
        place.rotate(35);
        place.scale(box.width() * 0.62, box.height() * 0.7);
        place.translate(-0.5, -0.5);
    }
    return place.map(unit);
}

QPainterPath pinBase(const QRectF &box)
{
    QPainterPath path;
    path.moveTo(at(box, 0.08, 0.86));
    path.lineTo(at(box, 0.92, 0.86));
    return path;
}

QPainterPath mixerTracks(const QRectF &box)
{
    QPainterPath path;
    for (const double x : {0.15, 0.5, 0.85}) {
        path.moveTo(at(box, x, 0.0));
        path.lineTo(at(box, x, 1.0));
    }
    return path;
}

QPainterPath mixerKnobs(const QRectF &box)
{
    QPainterPath path;
    const double w = box.width() * 0.26;
    const double h = box.height() * 0.16;
    const double levels[] = {0.62, 0.28, 0.5};
    const double xs[] = {0.15, 0.5, 0.85};
    for (int i = 0; i < 3; ++i) {
        const QPointF c = at(box, xs[i], levels[i]);
        path.addRoundedRect(QRectF(c.x() - w / 2, c.y() - h / 2, w, h), h * 0.3, h * 0.3);
    }
    return path;
}

QPainterPath doorFrame(const QRectF &box)
{
    QPainterPath path;
    path.moveTo(at(box, 0.55, 0.0));
    path.lineTo(at(box, 0.0, 0.0));
    path.lineTo(at(box, 0.0, 1.0));
    path.lineTo(at(box, 0.55, 1.0));
    return path;
}

QPainterPath exitArrow(const QRectF &box)
{
    return polygon(box, {{0.25, 0.4},
                         {0.62, 0.4},
                         {0.62, 0.18},
                         {1.0, 0.5},
                         {0.62, 0.82},
                         {0.62, 0.6},
                         {0.25, 0.6}});
}

} // namespace Glyphs
