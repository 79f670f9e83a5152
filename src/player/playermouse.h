#pragma once

#include "player/logic/playermodel.h"
#include "player/logic/transport/transportbuttons.h"

#include <QHash>
#include <QObject>

#include <array>
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
    // The controls the mouse is routed over, built by the window.
    struct Controls {
        std::array<QWidget *, size_t(Image::Count)> images{};
        QWidget *panel = nullptr;
        QWidget *strip = nullptr;
        QWidget *backdrop = nullptr;
        QWidget *grip = nullptr;
        QWidget *bar = nullptr;
        QWidget *miniSensor = nullptr;
        QWidget *knobSurface = nullptr;
        QWidget *volPrinc = nullptr;
        QWidget *volume = nullptr;
        QWidget *volumeCaption = nullptr;
        QWidget *volumeSensor = nullptr;
        QWidget *volumeKnobSurface = nullptr;
    };

    // Routes over the controls of window, which the close button closes.
    PlayerMouse(QWidget &window, PlayerLogic &logic);

    void connect(const Controls &controls);

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
    // A button of the main area, or with mini of the mini area, hovered with code.
    void routeButton(Image which, int code, bool mini, std::function<void()> press,
                     std::function<void(bool inside, Qt::MouseButton)> release);
    bool inside(Image which, QMouseEvent *event) const;

    QWidget &m_window;
    PlayerLogic &m_logic;
    Controls m_c;
    QHash<QObject *, Route> m_routes;
};
