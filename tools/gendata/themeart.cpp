#include "tools/gendata/themeart.h"

#include "core/categories.h"
#include "tools/gendata/artkit.h"
#include "tools/gendata/boardgrid.h"
#include "tools/gendata/glyphs.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>

namespace {

// The board picture is stretched over the board, whose shape follows the screen; this size
// suits the common wide screens and keeps the headers sharp on a projector.
const QSize BoardSize(1600, 960);
const QSize ExitSize(120, 40);
constexpr double CellGap = 9; // half the space between two cells

struct Palette {
    QString folder;
    QString title;
    QColor window; // the window around the board
    QColor skyTop, skyBottom;
    QColor headerTop, headerBottom, headerInk;
    QColor cellTop, cellBottom, cellEdge;
    QString font;
    QList<QColor> sparkles;
    bool confetti; // rotated paper bits instead of round stars
};

// The numbers are drawn over the cells in the system's button text (dark) when free, in red
// when played and in the light button face while hovered: the cells are mid-light so that all
// three read, and nothing in the pictures is pure red, the colour a played number is told by.
QList<Palette> palettes()
{
    return {
        {QStringLiteral("Notte"),
         QStringLiteral("Notte blu"),
         QColor(12, 20, 46),
         QColor(10, 18, 48),
         QColor(26, 44, 98),
         QColor(42, 72, 146),
         QColor(24, 42, 96),
         QColor(236, 242, 255),
         QColor(158, 192, 240),
         QColor(132, 170, 228),
         QColor(222, 236, 255),
         QStringLiteral("DejaVu Sans"),
         {QColor(255, 255, 255), QColor(200, 220, 255), QColor(255, 236, 180)},
         false},
        {QStringLiteral("Festa"),
         QStringLiteral("Festa"),
         QColor(112, 34, 44),
         QColor(255, 184, 84),
         QColor(214, 78, 70),
         QColor(150, 32, 78),
         QColor(104, 18, 56),
         QColor(255, 218, 120),
         QColor(255, 230, 150),
         QColor(244, 200, 102),
         QColor(255, 250, 228),
         QStringLiteral("Comic Neue"),
         {QColor(40, 180, 170), QColor(120, 70, 200), QColor(255, 246, 120), QColor(255, 255, 255),
          QColor(60, 120, 230)},
         true},
    };
}

void sky(QPainter &p, const Palette &pal, QSize size)
{
    QLinearGradient fill(0, 0, 0, size.height());
    fill.setColorAt(0, pal.skyTop);
    fill.setColorAt(1, pal.skyBottom);
    p.fillRect(QRectF(QPointF(0, 0), size), fill);

    // A fixed seed: the same picture on every build.
    QRandomGenerator random(pal.folder.size() * 7919u + 17u);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 420; ++i) {
        const QPointF at(random.bounded(size.width()), random.bounded(size.height()));
        const QColor c = pal.sparkles.at(random.bounded(int(pal.sparkles.size())));
        const double s = pal.confetti ? 2.5 + random.bounded(4.0) : 1.0 + random.bounded(3.0);
        p.setBrush(QColor(c.red(), c.green(), c.blue(), 120 + random.bounded(120)));
        if (pal.confetti) {
            p.save();
            p.translate(at);
            p.rotate(random.bounded(180.0));
            p.drawRect(QRectF(-s * 1.6, -s * 0.6, s * 3.2, s * 1.2));
            p.restore();
        } else {
            p.drawEllipse(at, s * 0.7, s * 0.7);
        }
    }
}

QRectF headerPlate(int c)
{
    const double w = BoardSize.width();
    const double h = BoardSize.height();
    const BoardGrid::Span rows = BoardGrid::row(c);
    return {w * 0.012, h * rows.from + CellGap, w * (BoardGrid::column(0).from - 0.012) - CellGap,
            h * (rows.to - rows.from) - 2 * CellGap};
}

QRectF headerRoom(const QRectF &plate)
{
    return plate.adjusted(16, 8, -16, -8);
}

// One size for all five names, the largest at which each fits its plate (broken into lines at
// blanks where needed), so the headers read as a set.
QFont headerFont(const QString &family)
{
    QFont font(family);
    font.setWeight(QFont::Bold);
    for (int px = 78; px > 12; px -= 2) {
        font.setPixelSize(px);
        bool fits = true;
        for (int c = 0; c < CategoryCount && fits; ++c) {
            const QRectF room = headerRoom(headerPlate(c));
            const QRectF need = QFontMetricsF(font).boundingRect(
                room, Qt::AlignCenter | Qt::TextWordWrap, category(c).displayName.toString());
            fits = need.width() <= room.width() && need.height() <= room.height();
        }
        if (fits)
            break;
    }
    return font;
}

void header(QPainter &p, const Palette &pal, const QFont &font, const QRectF &plate,
            const QString &name)
{
    QLinearGradient fill(plate.topLeft(), plate.bottomLeft());
    fill.setColorAt(0, pal.headerTop);
    fill.setColorAt(1, pal.headerBottom);
    p.setPen(QPen(ArtKit::lighter(pal.headerTop, 0.35), 3));
    p.setBrush(fill);
    p.drawRoundedRect(plate, 22, 22);

    const QRectF room = headerRoom(plate);
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 110));
    p.drawText(room.translated(3, 3), Qt::AlignCenter | Qt::TextWordWrap, name);
    p.setPen(pal.headerInk);
    p.drawText(room, Qt::AlignCenter | Qt::TextWordWrap, name);
}

void cell(QPainter &p, const Palette &pal, const QRectF &r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(r.translated(4, 5), 20, 20);

    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, pal.cellTop);
    fill.setColorAt(1, pal.cellBottom);
    p.setPen(QPen(pal.cellEdge, 4));
    p.setBrush(fill);
    p.drawRoundedRect(r, 20, 20);
}

QImage board(const Palette &pal)
{
    return ArtKit::render(
        BoardSize, pal.skyBottom,
        [&](QPainter &p) {
            sky(p, pal, BoardSize);
            const double w = BoardSize.width();
            const double h = BoardSize.height();
            const QFont font = headerFont(pal.font);
            for (int c = 0; c < CategoryCount; ++c) {
                header(p, pal, font, headerPlate(c), category(c).displayName.toString());
                const BoardGrid::Span rows = BoardGrid::row(c);
                for (int i = 0; i < SlotsPerCategory; ++i) {
                    const BoardGrid::Span cols = BoardGrid::column(i);
                    cell(p, pal,
                         QRectF(w * cols.from + CellGap, h * rows.from + CellGap,
                                w * (cols.to - cols.from) - 2 * CellGap,
                                h * (rows.to - rows.from) - 2 * CellGap));
                }
            }
        },
        2);
}

QImage exitPicture(const Palette &pal)
{
    return ArtKit::render(ExitSize, Qt::transparent, [&](QPainter &p) {
        const QRectF r(1.5, 1.5, ExitSize.width() - 3.0, ExitSize.height() - 3.0);
        ArtKit::body(p, r, r.height() / 2, ArtKit::lighter(pal.headerTop, 0.15), pal.headerBottom);
        const QRectF g(r.center().x() - 20, r.top() + 8, 40, r.height() - 16);
        ArtKit::strokeGlyph(p, Glyphs::doorFrame(g), 3, pal.headerInk);
        ArtKit::glyph(p, Glyphs::exitArrow(g), pal.headerInk);
    });
}

QByteArray themeFile(const Palette &pal, const QString &boardName, const QString &exitName)
{
    const QColor c = pal.window;
    const int colour = c.blue() * 65536 + c.green() * 256 + c.red();
    const QString text = u"titolo=" + pal.title + u"\r\ntabella=" + boardName + u"\r\nesci=" +
                         exitName + u"\r\ncoloresfondo=" + QString::number(colour) + u"\r\n";
    return text.toUtf8();
}

} // namespace

namespace ThemeArt {

QList<Theme> draw()
{
    QList<Theme> themes;
    for (const Palette &pal : palettes()) {
        const QString boardName = QStringLiteral("tabella.jpg");
        const QString exitName = QStringLiteral("esci.png");
        themes.append({pal.folder, themeFile(pal, boardName, exitName), boardName, board(pal),
                       exitName, exitPicture(pal)});
    }
    return themes;
}

} // namespace ThemeArt
