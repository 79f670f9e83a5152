#pragma once

#include "board/titlebaranimation.h"

#include <QFrame>

class QLabel;
class QPushButton;

// The board's own title bar: a strip with the program icon and the buttons that minimise,
// restore and maximise the board. It only shows what the board's animation state says and
// reports presses and drags on its surface; the board decides what they do.
class TitleBar : public QFrame {
    Q_OBJECT

public:
    explicit TitleBar(QWidget *parent);

    QPushButton *Minimizza = nullptr;
    QPushButton *Normalizza = nullptr;
    QPushButton *Massimizza = nullptr;
    QLabel *Image1 = nullptr;

    // Places the bar and its buttons as the values say (twips).
    void apply(const TitleBarAnimation::Bar &bar);

signals:
    // Offsets from the bar's top-left corner, in twips.
    void pressed(QPointF offset);
    void dragged(QPointF offset, Qt::MouseButtons buttons);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
};
