#pragma once

#include "player/logic/playermodel.h"
#include "player/logic/transport/transportbuttons.h"
#include "player/playercontrols.h"

#include <QHash>
#include <QObject>

#include <functional>

class PlayerLogic;
class QMouseEvent;
class QWidget;

// The playback window's mouse routing table: for each control, what a press, a movement and a
// release over it tell the logic. Hovering sets the skin's pictures and the info line; presses
// and releases go to the transport, the panel, the volumes and the seeking.
class PlayerMouse : public QObject {
    Q_OBJECT

public:
    // Routes over the controls of window, which the close button closes.
    PlayerMouse(QWidget &window, PlayerLogic &logic);

    void connect(const PlayerControls &controls);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Route {
        std::function<void(QMouseEvent *)> press;
        std::function<void(QMouseEvent *)> move;
        std::function<void(QMouseEvent *)> release;
    };
    void route(QWidget *widget, Route handlers);
    void routeMainButtons();
    void routeMiniButtons();
    void routeProgress();
    void routeInfoOnly();
    void routeVolume();
    void routeBigPlayPiece(Image which, TransportButtons::Piece piece);
    // What moving over a button of the main area, or of the mini area, tells the skin.
    std::function<void()> hovering(MainHover control);
    std::function<void()> hovering(MiniHover control);
    void routeButton(Image which, std::function<void()> hover, std::function<void()> press,
                     std::function<void(bool inside, Qt::MouseButton)> release);
    bool inside(Image which, QMouseEvent *event) const;

    QWidget &m_window;
    PlayerLogic &m_logic;
    PlayerControls m_c;
    QHash<QObject *, Route> m_routes;
};
