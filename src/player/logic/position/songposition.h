#pragma once

#include <QString>

#include <Qt>

class MediaPlayer;
class PlayerModel;
class SkinButtons;

// Where the song is and where the presenter wants it: the 1-second tick (Timer2) that writes
// the time fields, the bar, the knob and the mini indicator, and the three ways to seek (a
// click on the large bar, dragging its knob, a click on the mini indicator). Positions are
// twips: on the bar relative to the bar, on the knob relative to the knob, on the mini
// indicator relative to its sensor.
class SongPosition {
public:
    SongPosition(PlayerModel &model, MediaPlayer &player, SkinButtons &skin);

    // Timer2: one refresh. Failing reads (nothing loaded, zero duration) skip their step.
    void tick();
    // Bar, knob and mini indicator back to the start.
    void resetToStart();
    // Knob left for the knob centred at bar value v.
    static double knobCentredAt(double v);
    // Width of the mini indicator at bar value v.
    static double miniAt(double v);
    // "-" + duration minus position, both "mm.ss"; "-00.00" when either cannot be read.
    static QString remainingTime(const QString &duration, const QString &position);

    // How often the presenter has put the bar somewhere (click or knob drag).
    int presenterMoves() const { return m_presenterMoves; }

    void ProgressoDaClic(double x, bool mini);
    void ProgressoDaCursore();

    // The large bar ProgressoMedia.
    void barPressed(double x, Qt::MouseButton button);
    void barMoved(double x, Qt::MouseButtons buttons);
    void barReleased(double x, double y);
    // The mini indicator's sensor.
    void sensorPressed(double x, Qt::MouseButton button);
    void sensorMoved(double x, Qt::MouseButtons buttons);
    void sensorReleased(double x, double y);
    // The knob btnProgressoMedia; Timer4 follows the pointer while it is held.
    void knobPressed(double x);
    void knobMoved(double x, Qt::MouseButtons buttons);
    void knobReleased();
    void timer4Tick();

    // The speed slider Velocita (0..5): the player's rate and the rate of every next play.
    void speedChanged(int value);
    static double rateFor(int sliderValue);

    // Seek state, visible for the tests.
    int ValProgresso = 0;
    bool ProgressoFalso = false;
    int PosX = 0;
    int CurX = 0;
    double knobLeftAtMove = 0;

private:
    // A press and a movement over the bar or, with mini, over the mini sensor.
    void pressed(double x, Qt::MouseButton button, bool mini);
    void moved(double x, Qt::MouseButtons buttons, bool mini);
    void setMiniFromValue();
    void seekTo(double seconds);

    PlayerModel &m_model;
    MediaPlayer &m_player;
    SkinButtons &m_skin;
    int m_presenterMoves = 0;
};
