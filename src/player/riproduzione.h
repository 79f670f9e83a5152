#pragma once

#include "player/logic/playerlogic.h"
#include "player/logic/sound/soundports.h"
#include "player/logic/transport/transport.h"
#include "player/skinpictures.h"

#include <QDialog>
#include <QPointer>

#include <array>

class Backdrop;
class PlayerMouse;
class InfoBox;
class Knob;
class MediaPlayer;
class QLabel;
class QMouseEvent;
class QPushButton;
class QSlider;
class QTimer;
class QuestionPort;
class SeekBar;
class SkinImage;
class VolumeTrack;
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

    // Building (riproduzionebuild.cpp).
    void buildControls();
    void buildVideoArea();
    void buildPanel();
    void buildStrip();
    void buildVolumeSlider();
    void buildVolumeSliders(QWidget *panel);
    void buildTimers();
    SkinImage *image(Image which, QWidget *parent, const char *name, double left, double top,
                     double width, double height);
    QLabel *label(QWidget *parent, const char *name, const QString &text, double left, double top,
                  double width, double height);

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

    std::array<SkinImage *, size_t(Image::Count)> m_images{};
    std::array<QTimer *, size_t(Timer::Count)> m_timers{};
    std::array<QLabel *, size_t(Text::Count)> m_texts{};
    PlayerMouse *m_mouse = nullptr;

    QWidget *m_panel = nullptr;
    QWidget *m_strip = nullptr;
    Backdrop *m_backdrop = nullptr;
    InfoBox *m_infoBox = nullptr;
    QWidget *m_sideLeft = nullptr;
    QWidget *m_sideRight = nullptr;
    QPointer<QWidget> m_video;
    SeekBar *m_bar = nullptr;
    QWidget *m_knobSurface = nullptr;
    Knob *m_knob = nullptr;
    QWidget *m_miniIndicator = nullptr;
    QWidget *m_miniSensor = nullptr;
    QLabel *m_grip = nullptr;
    QSlider *m_volPrinc = nullptr;
    QSlider *m_volume = nullptr;
    QSlider *m_velocita = nullptr;
    QLabel *m_volumeCaption = nullptr;
    VolumeTrack *m_volumeTrack = nullptr;
    QWidget *m_volumeSensor = nullptr;
    QWidget *m_volumeKnobSurface = nullptr;
    Knob *m_volumeKnob = nullptr;
    QPushButton *m_pausa = nullptr;
    QPushButton *m_stop = nullptr;
    QPushButton *m_command1 = nullptr;
    bool m_unloaded = false;
};
