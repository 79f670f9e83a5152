#pragma once

#include <QWidget>

// The keyboard's frame around the focused number: a white ring with a black edge on both
// sides, readable over any theme's picture. The mouse goes through it to the number below.
class FocusFrame : public QWidget {
public:
    explicit FocusFrame(QWidget *parent);

    // Around the number at target (in the parent's pixels), with room for the ring.
    void surround(const QRect &target);

protected:
    void paintEvent(QPaintEvent *event) override;
};
