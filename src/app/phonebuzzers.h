#pragma once

#include "game/team.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class Audience;
class BuzzerDesk;
class BuzzerServer;
class GameSession;
class QuestionPort;
class Settings;
class QWidget;

// The phones as buzzers in the running program: the server runs while "Buzzer sui telefoni" is
// on and the game has teams, never before the board's first paint. A port that cannot be opened
// is told to the presenter once for each setting, and the program goes on without phones.
// While it runs the audience window shows its address, QR code and game code.
//
// A phone's press goes to the open playback window's buzzers as a team's key; without one the
// phone hears that no song plays. Stamps are the key events' clock (see inputClock()), so a
// phone and a key pressed a few milliseconds apart are ordered right.
class PhoneBuzzers : public QObject {
    Q_OBJECT
public:
    using TeamsSource = std::function<QList<Team>()>;

    PhoneBuzzers(const Settings &settings, QuestionPort &questions, Audience &audience);
    ~PhoneBuzzers() override;

    // The server may start once board has painted for the first time, with the teams of source.
    void startAfterPaint(QWidget &board, TeamsSource source);
    // The settings or the teams may have changed: starts, restarts, updates or stops.
    void follow();
    void stop();

    // The playback window's buzzers while it is open; the phones follow its song.
    void attach(BuzzerDesk &desk, GameSession &session);
    void detach();

    // The clock of the key events: on Linux the display server stamps them with the monotonic
    // clock in milliseconds, cut to 32 bits (X and Wayland alike).
    static qint64 inputClock();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void start(int port, const QList<Team> &teams);
    void onPress(int team, qint64 stamp);
    void tellSong();

    const Settings &m_settings;
    QuestionPort &m_questions;
    Audience &m_audience;
    std::unique_ptr<BuzzerServer> m_server;
    QWidget *m_board = nullptr;
    TeamsSource m_teamsSource;
    bool m_painted = false;
    QList<Team> m_teams;
    int m_port = 0;
    int m_failedPort = 0; // the port last told as failed, not told again
    QPointer<BuzzerDesk> m_desk;
    GameSession *m_session = nullptr;
};
