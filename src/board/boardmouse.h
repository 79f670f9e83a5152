#pragma once

#include <QObject>
#include <QPoint>

#include <functional>

// Routes the mouse over the board: the surface (the theme's picture, and the window itself)
// and the 25 numbers, whose labels carry "category" and "index" properties. Presses on them
// are taken too, so that a release comes back to where the press was.
class BoardMouse : public QObject {
    Q_OBJECT

public:
    struct Routes {
        std::function<void()> surfaceMoved;
        std::function<void(Qt::MouseButton, Qt::KeyboardModifiers)> surfaceReleased;
        std::function<void(int category, int index)> numberMoved;
        std::function<void(int category, int index, Qt::MouseButton, Qt::KeyboardModifiers)>
            numberReleased;
        // Any movement over the surface or a number, at the pointer's global place.
        std::function<void(QPoint global)> pointerMoved;
    };

    BoardMouse(QObject *parent, Routes routes);

    // The picture that counts as the surface.
    void setSurface(const QObject *surface) { m_surface = surface; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Routes m_routes;
    const QObject *m_surface = nullptr;
};
