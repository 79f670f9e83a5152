#include "player/logic/sound/playervolume.h"

#include "platform/mediaplayer.h"
#include "player/logic/panel/playerlayout.h"
#include "player/logic/playermemory.h"
#include "player/logic/playermodel.h"
#include "player/logic/position/numbertext.h"
#include "player/logic/skin/skinbuttons.h"

#include <cmath>

using namespace PlayerLayout;

namespace {

constexpr double TrackRight = VolumeTrackLeft + VolumeTrackWidth;
constexpr double HalfKnob = VolumeKnobWidth / 2;

} // namespace

PlayerVolume::PlayerVolume(PlayerModel &model, MediaPlayer &player, PlayerMemory &memory,
                           SkinButtons &skin)
    : m_model(model), m_player(player), m_memory(memory), m_skin(skin)
{
}

double PlayerVolume::knobLeftFor(int volume)
{
    return VolumeTrackWidth * volume / 100 + VolumeTrackLeft - HalfKnob;
}

int PlayerVolume::volumeAt(double knobLeft)
{
    return qBound(
        0, NumberText::rounded((knobLeft - VolumeTrackLeft + HalfKnob) * 100 / VolumeTrackWidth),
        100);
}

bool PlayerVolume::muted() const
{
    return m_memory.VolumeMuto;
}

void PlayerVolume::open()
{
    VolumeDisplay &v = m_model.volumeForUpdate();
    v.volume = qBound(0, m_memory.varVolume, 100);
    PosizionaVolume(false, false);
    if (muted())
        m_player.setVolume(0);
    m_model.volumeForUpdate().volumeEnabled = !muted();
    m_model.volumeUpdated();
    m_skin.restore(Image::Muto);
}

int PlayerVolume::value() const
{
    return m_model.volume().volume;
}

void PlayerVolume::setValue(int volume)
{
    m_model.volumeForUpdate().volume = qBound(0, volume, 100);
    m_model.volumeUpdated();
}

void PlayerVolume::sliderChanged(int volume)
{
    setValue(volume);
    PosizionaVolume(false, false);
}

void PlayerVolume::setKnobLeft(double left)
{
    m_model.volumeForUpdate().knobLeft = left;
    m_model.volumeUpdated();
}

void PlayerVolume::PosizionaVolume(bool fromKnob, bool dontRemember)
{
    if (!fromKnob)
        setKnobLeft(knobLeftFor(value()));
    const int volume = volumeAt(m_model.volume().knobLeft);
    setValue(volume);
    // A muted player stays silent whatever the slider does, a fade included; the level is
    // still the one to come back to.
    if (!muted())
        m_player.setVolume(volume);
    if (!dontRemember)
        m_memory.varVolume = volume;
}

bool PlayerVolume::ImpostaMuto(bool stateOnly)
{
    if (stateOnly)
        return muted();
    VolumeDisplay &v = m_model.volumeForUpdate();
    if (!muted()) {
        m_player.setVolume(0);
        v.volumeEnabled = false;
        m_memory.VolumeMuto = true;
    } else {
        v.volumeEnabled = true;
        m_memory.VolumeMuto = false;
        m_player.setVolume(v.volume);
    }
    m_model.volumeUpdated();
    return false;
}

// A click puts the knob's centre where the track was clicked, and the drag goes on from there.
void PlayerVolume::trackPressed(double x, Qt::MouseButton button)
{
    if (button != Qt::LeftButton || muted())
        return;
    setKnobLeft(VolumeTrackLeft + qBound(0.0, x, VolumeTrackWidth) - HalfKnob);
    VPosX = NumberText::rounded(HalfKnob);
    PosizionaVolume(true, false);
}

void PlayerVolume::trackMoved(double x, Qt::MouseButtons buttons)
{
    if (buttons & Qt::LeftButton)
        knobMoved(x - (m_model.volume().knobLeft - VolumeTrackLeft), buttons);
}

void PlayerVolume::trackReleased()
{
    knobReleased();
}

void PlayerVolume::knobPressed(double x)
{
    if (muted())
        return;
    VPosX = NumberText::rounded(x);
}

void PlayerVolume::knobMoved(double x, Qt::MouseButtons buttons)
{
    if (!(buttons & Qt::LeftButton) || muted())
        return;
    VCurX = NumberText::rounded(x);
    const double centre = m_model.volume().knobLeft + HalfKnob;
    // Pushing further past an end the knob already stands on moves nothing.
    if ((centre <= VolumeTrackLeft && VCurX <= VPosX) || (centre >= TrackRight && VCurX >= VPosX)) {
        m_model.setTimer(Timer::Timer7, false);
        return;
    }
    knobLeftAtMove = m_model.volume().knobLeft;
    m_model.setTimer(Timer::Timer7, true);
}

void PlayerVolume::knobReleased()
{
    m_model.setTimer(Timer::Timer7, false);
}

// The grabbed point of the knob stays under the pointer; the centre stops at the track's ends.
void PlayerVolume::timer7Tick()
{
    if (m_model.unloaded || muted()) {
        m_model.setTimer(Timer::Timer7, false);
        return;
    }
    const double wanted = knobLeftAtMove + VCurX - VPosX;
    const double left = qBound(VolumeTrackLeft, wanted + HalfKnob, TrackRight) - HalfKnob;
    if (left == m_model.volume().knobLeft)
        return;
    setKnobLeft(left);
    PosizionaVolume(true, false);
}

// Only a mini button the pointer came from goes back to normal: passing over the knob does not
// rewrite the info line at every move.
void PlayerVolume::hovered(Qt::MouseButtons buttons)
{
    const MiniHover before = m_model.MiniOggetto;
    if (buttons == Qt::NoButton && before != MiniHover::Background && before != MiniHover::InfoOnly)
        m_skin.NormalizzaMiniPulsanti(MiniHover::Background);
    m_skin.miniInfoOnly(InfoEntry::PlayerVolume);
}

void PlayerVolume::mutoPressed()
{
    m_model.PulsantePremuto = true;
    m_model.setPicture(Image::Muto, muted() ? QStringLiteral("MutoP") : QStringLiteral("SonoroP"));
}

void PlayerVolume::mutoReleased(bool inside)
{
    if (inside) {
        ImpostaMuto(false);
        if (muted()) {
            m_model.setPicture(Image::Muto, QStringLiteral("MutoS"));
            m_skin.ApplicaInfo(InfoEntry::Mute, 1);
        } else {
            m_model.setPicture(Image::Muto, QStringLiteral("SonoroS"));
            m_skin.ApplicaInfo(InfoEntry::Mute, 0);
        }
    } else {
        m_skin.NormalizzaPulsanti(MainHover::Background);
    }
    m_model.PulsantePremuto = false;
}
