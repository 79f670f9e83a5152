#include "widgets/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

void centreOver(QWidget *window, const QWidget *parent)
{
    QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // Frame margins of a window drawn by the same window manager: title bar and borders.
    QMargins frame;
    if (parent && parent->isWindow() && parent->isVisible()) {
        const QRect outer = parent->frameGeometry();
        const QRect inner = parent->geometry();
        frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    }
    const QSize size = window->size().grownBy(frame);
    const QRect over = parent && parent->isVisible() ? parent->frameGeometry() : area;
    QPoint topLeft(over.left() + (over.width() - size.width()) / 2,
                   over.top() + (over.height() - size.height()) / 2);
    // A window larger than the screen keeps its title bar on it.
    topLeft.setX(std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - size.width())));
    topLeft.setY(std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - size.height())));
    window->move(topLeft);
}
