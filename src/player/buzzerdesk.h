#pragma once

#include <QObject>

class GameSession;
class MediaPlayer;
class PlayerLogic;
class QKeyEvent;
class QLabel;
class QPushButton;
class QWidget;
class Settings;

// The teams' buzzers in the playback window. While the song plays, a team's key books the
// answer: the song pauses, the team's name shows large in its colour over the window, and the
// other keys are refused until the presenter settles it: Enter (right: the points, the song
// fades out as the stop button fades it), Backspace (wrong: that team is out for this song,
// the song goes on), Esc (dropped: the song goes on). Presses are ordered by the key events'
// own time stamps. Without a booking every key other than a team's is the window's own.
class BuzzerDesk : public QObject {
    Q_OBJECT

public:
    // chime, when given, holds the short sound of a booking, loaded and not started.
    BuzzerDesk(QWidget &window, PlayerLogic &logic, MediaPlayer &player, GameSession &session,
               const Settings &settings, MediaPlayer *chime = nullptr);

    // True when the key was the desk's.
    bool key(const QKeyEvent &event);
    // The player's state changed: a song that starts opens the buzzers, a stop closes them.
    void playStateChanged();

    bool isBooked() const;
    QWidget *overlay() const { return m_overlay; }

signals:
    // The team that has the answer now, -1 once the booking is settled, dropped or the song
    // stopped (the audience window shows it too).
    void bookingChanged(int team);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build(QWidget &window);
    void press(int team, qint64 stamp);
    void showBooking();
    void hideBooking();
    void right();
    void wrong(qint64 stamp);
    void drop(qint64 stamp);
    void resume();

    PlayerLogic &m_logic;
    MediaPlayer &m_player;
    GameSession &m_session;
    const Settings &m_settings;
    MediaPlayer *m_chime = nullptr;
    bool m_songOn = false;
    qint64 m_clickStamp = 0;

    QWidget *m_overlay = nullptr;
    QLabel *m_name = nullptr;
    QPushButton *m_right = nullptr;
    QPushButton *m_wrong = nullptr;
    QPushButton *m_drop = nullptr;
};
