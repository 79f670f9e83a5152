#include "tools/gendata/icons.h"

#include "tools/gendata/artkit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace Icons {

QImage programIcon(int size)
{
    // Drawn on a 64-pixel grid, scaled to the size asked for.
    const int oversample = size >= 128 ? 2 : ArtKit::Oversample;
    return ArtKit::render(
        QSize(size, size), Qt::transparent,
        [size](QPainter &p) {
            p.scale(size / 64.0, size / 64.0);
            ArtKit::body(p, QRectF(2, 2, 60, 60), 13, QColor(66, 112, 196), QColor(22, 40, 96));

            // A little board: three rows of cells behind a note.
            p.setPen(Qt::NoPen);
            for (int r = 0; r < 3; ++r) {
                for (int c = 0; c < 3; ++c) {
                    p.setBrush(QColor(158, 192, 240, 150));
                    p.drawRoundedRect(QRectF(27 + c * 10.5, 11 + r * 10.5, 8.5, 8.5), 2, 2);
                }
            }

            // A pair of beamed eighth notes in gold.
            QPainterPath note;
            note.addEllipse(QRectF(8, 42, 13, 9.5));
            note.addEllipse(QRectF(30, 46, 13, 9.5));
            note.addRect(QRectF(18.2, 18, 3, 28));
            note.addRect(QRectF(40.2, 22, 3, 28));
            QPolygonF beam{{18.2, 16}, {43.2, 20}, {43.2, 27}, {18.2, 23}};
            note.addPolygon(beam);
            note.closeSubpath();
            note.setFillRule(Qt::WindingFill);
            ArtKit::glyph(p, note, QColor(255, 214, 110));
        },
        oversample);
}

QImage pointer()
{
    return ArtKit::render(QSize(32, 32), Qt::transparent, [](QPainter &p) {
        const QPolygonF arrow{{0.5, 0.5},   {0.5, 23.5}, {6.0, 18.3}, {10.0, 27.0},
                              {13.8, 25.4}, {9.9, 16.9}, {17.2, 16.9}};
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawPolygon(arrow.translated(1.6, 1.8));
        p.setPen(QPen(QColor(0, 0, 0), 1.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(QColor(255, 255, 255));
        p.drawPolygon(arrow);
    });
}

} // namespace Icons
