#pragma once

#include "platform/mediaplayer.h"
#include "player/logic/panel/playerlayout.h"

#include <QString>

#include <array>
#include <functional>

// The image controls of the skin, each showing one picture of gr/ at a time.
enum class Image {
    Play1,
    Play,
    Play3,
    Stop,
    Ripeti,
    Muto,
    Aggancia,
    SlittaBasso,
    Mixer,
    Chiudi,
    PlayMini,
    StopMini,
    SlittaAlto,
    Count
};

// The texts the logic writes: the window caption, the info line, the Pausa command button, the
// time fields, the caption over the volume sliders and the CPU meter.
enum class Text {
    Caption,
    Info0,
    Info1,
    Pausa,
    DurataCorr,
    DurataRim,
    DurataTot,
    Label8,
    Avanzamento,
    LblVolume,
    CPUUsage,
    Count
};

// The window's timers whose on/off state the logic decides.
enum class Timer {
    Timer1,
    Timer2,
    Timer4,
    Timer5,
    Timer6,
    Timer7,
    Timer8,
    Timer9,
    TmrStop,
    TmrRefresh,
    TmrEntrata,
    Count
};

// Oggetto: the main-area control under the mouse. The controls that only tell what they show
// (time fields, labels, sliders, CPU meter, mini seek sensor) share InfoOnly.
enum class MainHover {
    Background,
    BigPlay, // any of the big play button's three pieces
    Stop,
    Repeat,
    Mute,
    Dock,
    SlideDown,
    InfoOnly,
    Mixer,
    Close
};

// MiniOggetto: the control under the mouse in the strip under the video. InfoOnly is the
// progress bar, the player-volume knob and its track.
enum class MiniHover { Background, Play, Stop, SlideUp, InfoOnly };

// OggettoXWMP: which play button is under the mouse, so that the pause glyph the player's state
// brings shows its hover look there.
enum class PlayHover { None, Big, Mini };

// Where the panel and the video area are, in twips.
struct PanelGeometry {
    double panelTop = PlayerLayout::PanelHiddenTop;
    double stripTop = PlayerLayout::StripTop;
    double backdropHeight = PlayerLayout::BackdropHeight;
    double sideLeftHeight = PlayerLayout::BackdropHeight;
    double sideRightHeight = PlayerLayout::BackdropHeight;
};

// Where the progress bar, its knob and the mini indicator stand.
struct ProgressDisplay {
    double value = 0;     // ProgressoMedia, 0..100
    double knobLeft = 0;  // btnProgressoMedia and Picture1, twips in the strip
    double miniWidth = 0; // IndicatoreMiniProgresso, twips
    bool enabled = true;  // ProgressoMedia and SensoreMiniProgresso take the mouse
    // The part of the song the slot plays, as bar values; from == to when none is marked.
    double rangeFrom = 0;
    double rangeTo = 0;
};

// Where the volume controls stand and whether they take input.
struct VolumeDisplay {
    int volume = 0;            // the player's slider volume, 0..100
    bool volumeEnabled = true; // volume, imgVolume and SensoreimgSliderVolume (off while muted)
    double knobLeft = PlayerLayout::VolumeTrackLeft - PlayerLayout::VolumeKnobWidth / 2;
    int computer = 0;            // the computer's slider VolPrinc, 0..100
    bool computerEnabled = true; // off without a system mixer
    double computerLeft = 0;     // VolPrinc in Picture2
    double playerLeft = PlayerLayout::SlidersWidth + PlayerLayout::SliderParkGap; // volume
    double labelTop = PlayerLayout::VolumeLabelShownTop; // lblVolume on the panel
};

// Told of every change the logic makes, so the window can show it.
class PlayerView {
public:
    virtual ~PlayerView() = default;
    virtual void pictureChanged(Image) {}
    virtual void textChanged(Text) {}
    virtual void timerChanged(Timer) {}
    virtual void progressChanged() {}
    virtual void panelChanged() {}
    virtual void volumeChanged() {}
    // Lets pending window events run; anything may happen meanwhile.
    virtual void letEventsRun() {}
};

// The playback window's state as its logic sees it: the members other code reads, what each
// control shows, and which timers run. Plain values; a PlayerView hears of each change.
class PlayerModel {
public:
    // Members of the window (true = on).
    bool Ripeti = false;
    bool StopRepeat = false;
    bool FileInesistente = false;
    bool PulsantePremuto = false;
    bool PulsanteMiniPremuto = false;
    MainHover Oggetto = MainHover::Background;
    MiniHover MiniOggetto = MiniHover::Background;
    PlayHover OggettoXWMP = PlayHover::None;
    double TimerIIProtetto = 0;
    int WMPSempreVisib = 0;
    bool Fermo = true;
    bool AggiornaProgresso = true;
    double VelocitaCorrente = 1.0;
    // Title of the slot ("Ballo 30").
    QString Tipo;
    // The window is closing: nothing may start again.
    bool unloaded = false;

    void setView(PlayerView *view) { m_view = view; }

    void setPicture(Image image, const QString &name);
    const QString &picture(Image image) const { return m_pictures.at(size_t(image)); }
    void setText(Text text, const QString &value);
    const QString &text(Text text) const { return m_texts.at(size_t(text)); }
    void setTimer(Timer timer, bool on);
    bool timerOn(Timer timer) const { return m_timers.at(size_t(timer)); }

    const ProgressDisplay &progress() const { return m_progress; }
    void setProgressValue(double value);
    void setKnobLeft(double left);
    void setMiniWidth(double width);
    void setProgressEnabled(bool enabled);
    void setProgressRange(double from, double to);

    const PanelGeometry &panel() const { return m_panel; }
    PanelGeometry &panelForUpdate() { return m_panel; }
    void panelUpdated();

    const VolumeDisplay &volume() const { return m_volume; }
    VolumeDisplay &volumeForUpdate() { return m_volume; }
    void volumeUpdated();

    // "Riproduzione  Ballo 30  " + tail.
    QString caption(const QString &tail) const;

    void letEventsRun();
    // Counts the info-line writes, so that "no redraw when nothing changes" can be checked.
    int infoWrites() const { return m_infoWrites; }

private:
    PlayerView *m_view = nullptr;
    std::array<QString, size_t(Image::Count)> m_pictures;
    std::array<QString, size_t(Text::Count)> m_texts;
    std::array<bool, size_t(Timer::Count)> m_timers{};
    ProgressDisplay m_progress;
    PanelGeometry m_panel;
    VolumeDisplay m_volume;
    int m_infoWrites = 0;
};

// The player reports playing for state 3, 4 and 5 (scanning counts as playing).
bool isPlaying(MediaPlayer::PlayState playState);
