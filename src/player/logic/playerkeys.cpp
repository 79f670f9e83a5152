#include "player/logic/playerkeys.h"

#include "platform/mediaplayer.h"
#include "player/logic/panel/playerlayout.h"
#include "player/logic/playerlogic.h"

using namespace PlayerLayout;

PlayerKeys::PlayerKeys(PlayerLogic &logic, MediaPlayer &player) : m_logic(logic), m_player(player)
{
}

PlayerKeys::Action PlayerKeys::action(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat,
                                      MediaPlayer::PlayState playState)
{
    // The keypad's arrows are arrows too; Shift, Ctrl, Alt and Meta make another key.
    if (modifiers & ~Qt::KeyboardModifiers(Qt::KeypadModifier))
        return Action::None;
    switch (key) {
    case Qt::Key_Left:
        return Action::SeekBack;
    case Qt::Key_Right:
        return Action::SeekForward;
    case Qt::Key_Up:
        return Action::VolumeUp;
    case Qt::Key_Down:
        return Action::VolumeDown;
    default:
        break;
    }
    if (autoRepeat)
        return Action::None;
    switch (key) {
    case Qt::Key_Space:
        return Action::PlayPause;
    case Qt::Key_Escape:
        return playState == MediaPlayer::PlayState::Stopped ? Action::Close : Action::Stop;
    case Qt::Key_R:
        return Action::Repeat;
    case Qt::Key_M:
        return Action::Mute;
    default:
        return Action::None;
    }
}

PlayerKeys::Action PlayerKeys::press(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    const Action what = action(key, modifiers, autoRepeat, m_player.playState());
    if (m_logic.model.unloaded)
        return what == Action::Close ? Action::Close : Action::None;
    switch (what) {
    case Action::PlayPause:
        playPause();
        break;
    case Action::Stop:
        stop();
        break;
    case Action::SeekBack:
        seekBy(-SeekStep);
        break;
    case Action::SeekForward:
        seekBy(SeekStep);
        break;
    case Action::VolumeUp:
        volumeBy(VolumeStep);
        break;
    case Action::VolumeDown:
        volumeBy(-VolumeStep);
        break;
    case Action::Repeat:
        repeat();
        break;
    case Action::Mute:
        mute();
        break;
    case Action::None:
    case Action::Close:
        break;
    }
    return what;
}

// The big button's request; its pictures show the pointer's hover only when it rests there.
void PlayerKeys::playPause()
{
    m_logic.transport.presenterPlay(false, m_logic.model.Oggetto != MainHover::BigPlay);
}

// A stop while the fade runs is the presenter's "now"; a paused song has nothing to fade.
void PlayerKeys::stop()
{
    if (m_logic.model.timerOn(Timer::TmrStop) ||
        m_player.playState() == MediaPlayer::PlayState::Paused)
        m_logic.transport.stopNow();
    else
        m_logic.transport.SfumaStop(Qt::LeftButton);
}

// A click on the mini bar at the place of the new position: the bar, the indicator and the
// time fields follow as they do for the mouse.
void PlayerKeys::seekBy(double seconds)
{
    const double duration = m_player.duration();
    if (!m_logic.model.progress().enabled || duration <= 0)
        return;
    const double target = qBound(0.0, m_player.currentPosition() + seconds, duration);
    const double x = target * (MiniWidth - 30) / duration;
    m_logic.progress.sensorPressed(x, Qt::LeftButton);
    m_logic.progress.sensorReleased(x, 0);
}

// A click on the skinned slider's track where the new level stands; muted, it takes none.
void PlayerKeys::volumeBy(int step)
{
    const int wanted = qBound(0, m_logic.volume.value() + step, 100);
    m_logic.volume.trackPressed(VolumeTrackWidth * wanted / 100, Qt::LeftButton);
    m_logic.volume.trackReleased();
}

void PlayerKeys::repeat()
{
    m_logic.buttons.ripetiPressed();
    m_logic.buttons.ripetiReleased(true);
    if (m_logic.model.Oggetto != MainHover::Repeat)
        m_logic.skin.restore(Image::Ripeti);
}

void PlayerKeys::mute()
{
    m_logic.volume.mutoPressed();
    m_logic.volume.mutoReleased(true);
    if (m_logic.model.Oggetto != MainHover::Mute)
        m_logic.skin.restore(Image::Muto);
}

const std::vector<std::pair<const char *, QString>> &PlayerKeys::descriptions()
{
    static const std::vector<std::pair<const char *, QString>> table{
        {"imgPlay", QStringLiteral("Spazio: riproduce o mette in pausa")},
        {"imgPlayMini", QStringLiteral("Spazio: riproduce o mette in pausa")},
        {"imgStop", QStringLiteral("Esc: ferma la canzone, con la sfumatura se impostata per "
                                   "il tasto sinistro; Esc di nuovo: ferma subito")},
        {"imgStopMini", QStringLiteral("Esc: ferma la canzone, con la sfumatura se impostata "
                                       "per il tasto sinistro")},
        {"imgChiudi", QStringLiteral("Esc a canzone ferma: chiude la finestra")},
        {"imgRipeti", QStringLiteral("R: ripetizione sì / no")},
        {"imgMuto", QStringLiteral("M: muto sì / no")},
        {"ProgressoMedia", QStringLiteral("Freccia sinistra / destra: 5 secondi indietro / "
                                          "avanti")},
        {"SensoreMiniProgresso", QStringLiteral("Freccia sinistra / destra: 5 secondi "
                                                "indietro / avanti")},
        {"SensoreimgSliderVolume", QStringLiteral("Freccia su / giù: volume del lettore più "
                                                  "o meno 5")},
        {"volume", QStringLiteral("Freccia su / giù: volume del lettore più o meno 5")},
    };
    return table;
}
