#pragma once

#include "player/logic/playerlogic.h"
#include "player/logic/sound/soundports.h"
#include "player/logic/transport/transport.h"
#include "player/playerface.h"
#include "player/playertimers.h"
#include "player/skinpictures.h"

#include <QDialog>
#include <QPointer>

class BuzzerDesk;
class GameSession;
#include <functional>

class PlayerMouse;
class QPushButton;
class MediaPlayer;
class QMouseEvent;
class QuestionPort;
struct AppState;
struct PlayerMemory;

// The playback window: plays the song of one slot with a skinned transport, a video area and a
// control panel that slides in from below. Shown modally by the board; closing it stops the
// song and keeps the computer volume in the settings for the next run.
class Riproduzione : public QDialog, private PlayerView {
    Q_OBJECT

public:
    Riproduzione(AppState &state, PlayerMemory &memory, QuestionPort &questions,
                 MediaPlayer &player, const SoundPorts &ports, const QString &percorso,
                 const QString &tipo, QWidget *parent = nullptr);
    ~Riproduzione() override;

    // The window's opening; run once before showing it.
    void load();

    // The public members of the window, for the board and the tests.
    PlayerModel &model() { return m_logic.model; }
    PlayerLogic &logic() { return m_logic; }

    // Toggles play and pause as the big button would without the mouse on it.
    void PlayMouseUp(bool mini, bool untouched) { m_logic.transport.PlayMouseUp(mini, untouched); }

    void done(int result) override;

    // The teams' buzzers for this song, with the player that rings a booking (may be null);
    // without a call the window knows no teams.
    void setGame(GameSession &session, MediaPlayer *chime = nullptr);
    BuzzerDesk *buzzers() const { return m_desk; }

    // A "Rivela" button (and F6) that shows the audience the song's title through reveal;
    // without a call the window has none.
    void setReveal(std::function<void()> reveal);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // PlayerView: the logic's changes shown on the controls.
    void pictureChanged(Image image) override;
    void textChanged(Text text) override;
    void timerChanged(Timer timer) override;
    void progressChanged() override;
    void panelChanged() override;
    void volumeChanged() override;
    void letEventsRun() override;

    void connectMouse();
    void unloadOnce();
    void syncVideoArea();
    void centreOnScreen();

    AppState &m_state;
    MediaPlayer &m_player;
    SoundPorts m_ports;
    QString m_percorso;
    QString m_tipo;
    PlayerLogic m_logic;
    SkinPictures m_pictures;

    PlayerFace m_face;
    PlayerTimers m_timers;
    PlayerMouse *m_mouse = nullptr;
    BuzzerDesk *m_desk = nullptr;
    QPointer<QWidget> m_video;
    bool m_unloaded = false;
    QPushButton *m_reveal = nullptr;
};
