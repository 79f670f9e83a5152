#pragma once

#include "board/boardlayout.h"
#include "board/playedmarks.h"

#include <array>
#include <functional>

class QLabel;
class QObject;
class QWidget;

// The board's 25 numbers: their labels, which are played, and the hover colour. A played
// number is red and struck through, a free one in the system's button text colour; the pointer
// over a free number shows it in the button colour.
class NumberGrid {
public:
    // The labels are built on parent; their mouse events go to filter, which reads the
    // labels' "category" and "index" properties.
    NumberGrid(QWidget *parent, QObject *filter);

    // The number that shows the hover colour: category 1..5 (0 none) and index 0..4.
    int MoveCateg = 0;
    int MoveIndex = 0;
    // Called after any mark has changed (the audience window follows the marks).
    std::function<void()> marksChanged;

    QLabel *number(int category, int index) const;
    const PlayedMarks &marks() const { return m_marks; }
    bool isPlayed(int category, int index) const { return m_marks.isPlayed(category, index); }
    void setPlayed(int category, int index, bool played);
    // Every number free again.
    void clearAll();

    void hover(int category, int index);
    void unhover();

    // The labels at the boxes of the geometry, in twips.
    void place(const BoardLayout::Geometry &geometry);

private:
    void paint(int category, int index);

    std::array<std::array<QLabel *, SlotsPerCategory>, CategoryCount> m_numbers{};
    PlayedMarks m_marks;
};
