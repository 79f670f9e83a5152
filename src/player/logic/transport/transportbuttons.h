#pragma once

#include <Qt>

class MediaPlayer;
class PlayerModel;
class SkinButtons;
class Transport;

// The presses and releases of the transport's buttons: the big play button of three pieces,
// the mini play button, both stop buttons and repeat. A press shows the pressed pictures; a
// release inside hands the request to the transport, one outside puts the pictures back.
class TransportButtons {
public:
    enum class Piece { Left, Middle, Right };

    TransportButtons(PlayerModel &model, MediaPlayer &player, SkinButtons &skin,
                     Transport &transport);

    // Whether a release at (x, y) in the pressed piece's pixels lies on the whole big button,
    // whose pieces are w1, w2 and w3 wide and h high.
    static bool insideBigPlay(Piece piece, double x, double y, double w1, double w2, double w3,
                              double h);

    void bigPlayPressed();
    void bigPlayReleased(bool inside);
    void miniPlayPressed();
    void miniPlayReleased(bool inside);
    void stopPressed();
    void stopReleased(bool inside, Qt::MouseButton button);
    void miniStopPressed();
    void miniStopReleased(bool inside, Qt::MouseButton button);
    void ripetiPressed();
    void ripetiReleased(bool inside);

private:
    PlayerModel &m_model;
    MediaPlayer &m_player;
    SkinButtons &m_skin;
    Transport &m_transport;
};
