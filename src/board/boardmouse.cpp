#include "board/boardmouse.h"

#include <QMouseEvent>
#include <QVariant>

BoardMouse::BoardMouse(QObject *parent, Routes routes)
    : QObject(parent), m_routes(std::move(routes))
{
}

bool BoardMouse::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseMove)
        return QObject::eventFilter(watched, event);
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (type == QEvent::MouseMove && m_routes.pointerMoved &&
        (watched == m_surface || watched->property("category").isValid()))
        m_routes.pointerMoved(mouse->globalPosition().toPoint());
    if (watched == m_surface) {
        if (type == QEvent::MouseMove)
            m_routes.surfaceMoved();
        else if (type == QEvent::MouseButtonRelease)
            m_routes.surfaceReleased(mouse->button(), mouse->modifiers());
        return true;
    }
    const QVariant c = watched->property("category");
    if (!c.isValid())
        return QObject::eventFilter(watched, event);
    const int index = watched->property("index").toInt();
    if (type == QEvent::MouseMove)
        m_routes.numberMoved(c.toInt(), index);
    else if (type == QEvent::MouseButtonRelease)
        m_routes.numberReleased(c.toInt(), index, mouse->button(), mouse->modifiers());
    // The press is taken too, so that the release comes back to the same number.
    return true;
}
