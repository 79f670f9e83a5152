#include "board/numbergrid.h"

#include "board/boardkeys.h"
#include "widgets/twips.h"

#include <QApplication>
#include <QLabel>

namespace {

const QColor Played(255, 0, 0);

void paintLabel(QLabel *label, const QColor &colour, bool struck)
{
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
    QFont font = label->font();
    font.setStrikeOut(struck);
    label->setFont(font);
}

QColor systemColour(QPalette::ColorRole role)
{
    return QApplication::palette().color(role);
}

} // namespace

NumberGrid::NumberGrid(QWidget *parent, QObject *filter)
{
    QFont font(QStringLiteral("Comic Sans MS"), 36, QFont::Bold);
    for (int c = 0; c < CategoryCount; ++c) {
        for (int i = 0; i < SlotsPerCategory; ++i) {
            auto *label = new QLabel(QString::number(slotPoints(i)), parent);
            label->setObjectName(category(c).array.toString() + u'_' + QString::number(i));
            label->setFont(font);
            label->setAlignment(Qt::AlignCenter);
            label->setMouseTracking(true);
            label->setProperty("category", c);
            label->setProperty("index", i);
            label->setAccessibleDescription(BoardKeys::numberHelp());
            label->installEventFilter(filter);
            m_numbers.at(size_t(c)).at(size_t(i)) = label;
            paint(c, i);
        }
    }
}

QLabel *NumberGrid::number(int category, int index) const
{
    return m_numbers.at(size_t(category)).at(size_t(index));
}

void NumberGrid::paint(int category, int index)
{
    if (isPlayed(category, index))
        paintLabel(number(category, index), Played, true);
    else
        paintLabel(number(category, index), systemColour(QPalette::ButtonText), false);
}

void NumberGrid::setPlayed(int category, int index, bool played)
{
    const bool changed = m_marks.isPlayed(category, index) != played;
    m_marks.setPlayed(category, index, played);
    paint(category, index);
    if (changed && marksChanged)
        marksChanged();
}

void NumberGrid::clearAll()
{
    m_marks.clearAll();
    for (int c = 0; c < CategoryCount; ++c) {
        for (int i = 0; i < SlotsPerCategory; ++i)
            paint(c, i);
    }
    if (marksChanged)
        marksChanged();
}

void NumberGrid::hover(int category, int index)
{
    if (!isPlayed(category, index)) {
        QPalette colours = number(category, index)->palette();
        colours.setColor(QPalette::WindowText, systemColour(QPalette::Button));
        number(category, index)->setPalette(colours);
    }
    if (MoveCateg == category + 1 && MoveIndex == index)
        MoveCateg = 0;
    unhover();
    MoveCateg = category + 1;
    MoveIndex = index;
}

void NumberGrid::unhover()
{
    if (MoveCateg != 0)
        paint(MoveCateg - 1, MoveIndex);
    MoveCateg = 0;
}

void NumberGrid::place(const BoardLayout::Geometry &geometry)
{
    for (int c = 0; c < CategoryCount; ++c) {
        for (int i = 0; i < SlotsPerCategory; ++i) {
            const BoardLayout::Box &box = geometry.numbers.at(size_t(c)).at(size_t(i));
            number(c, i)->setGeometry(Twips::toPixels(box.left, box.top, box.width, box.height));
        }
    }
}
