#include "platform/mediaplayer.h"
#include "player/logic/panel/playerlayout.h"
#include "player/logic/playermodel.h"
#include "player/logic/position/numbertext.h"
#include "player/logic/position/songposition.h"
#include "player/logic/skin/skinbuttons.h"

#include <cmath>

using namespace PlayerLayout;

namespace {

// Coordinates this far out are a pointer beyond the surface's left edge as the system reports
// it; they count as the start.
constexpr double FarOutside = 970000;

} // namespace

void SongPosition::seekTo(double seconds)
{
    m_player.setCurrentPosition(qMax(0.0, seconds));
}

void SongPosition::ProgressoDaClic(double x, bool mini)
{
    const double sensorWidth = MiniWidth;
    ++m_presenterMoves;
    if (!mini) {
        if (x <= 0 || x > FarOutside) {
            m_model.setProgressValue(0);
            m_model.setMiniWidth(0);
        } else if (x > BarWidth) {
            m_model.setMiniWidth(sensorWidth - 30);
            m_model.setProgressValue(100);
        } else {
            m_model.setProgressValue(x * 100 / BarWidth);
            m_model.setMiniWidth(m_model.progress().value * (sensorWidth - 30) / 100);
        }
        return;
    }
    if (x <= 15 || x > FarOutside) {
        m_model.setProgressValue(0);
        m_model.setMiniWidth(0);
    } else if (x > sensorWidth - 30) {
        m_model.setMiniWidth(sensorWidth - 40);
        m_model.setProgressValue(100);
    } else {
        m_model.setMiniWidth(x);
        m_model.setProgressValue(x * 100 / (sensorWidth - 30));
    }
}

void SongPosition::ProgressoDaCursore()
{
    ++m_presenterMoves;
    const ProgressDisplay &p = m_model.progress();
    const int c = NumberText::rounded(p.knobLeft - BarLeft - 50 + KnobWidth / 2);
    const int percent = NumberText::rounded(c * 100.0 / (BarWidth - 60));
    double value = 0.01;
    if (percent >= 101)
        value = 100;
    else if (percent >= 0.5)
        value = percent - 0.5;
    m_model.setProgressValue(value);
    m_model.setText(Text::Avanzamento, NumberText::avanzamento(value + 0.5));
}

// The bar stops following the song while the presenter chooses a place on it.
void SongPosition::pressed(double x, Qt::MouseButton button, bool mini)
{
    m_model.AggiornaProgresso = false;
    if (button != Qt::LeftButton)
        return;
    ValProgresso = NumberText::rounded(m_model.progress().value);
    ProgressoDaClic(x, mini);
}

// Dragged, the bar and the time fields follow the pointer; moved with no button, the pointer
// may come from a mini button, which goes back to normal.
void SongPosition::moved(double x, Qt::MouseButtons buttons, bool mini)
{
    if (buttons & Qt::LeftButton) {
        ProgressoDaClic(x, mini);
        tick();
    } else if (buttons == Qt::NoButton) {
        m_skin.NormalizzaMiniPulsanti(MiniHover::Background);
    }
}

void SongPosition::barPressed(double x, Qt::MouseButton button)
{
    pressed(x, button, false);
}

void SongPosition::barMoved(double x, Qt::MouseButtons buttons)
{
    moved(x, buttons, false);
    m_skin.miniInfoOnly(InfoEntry::Position);
}

void SongPosition::barReleased(double x, double y)
{
    const double duration = m_player.duration();
    if (y >= 0 && y <= BarHeight) {
        if (x > 0 && x < BarWidth)
            seekTo((x - 50) * duration / BarWidth);
        else if (x >= BarWidth && x <= FarOutside)
            seekTo(duration);
        else if (x <= 0)
            seekTo(0);
    } else {
        ProgressoFalso = true;
    }
    m_model.AggiornaProgresso = true;
    tick();
}

void SongPosition::sensorPressed(double x, Qt::MouseButton button)
{
    pressed(x, button, true);
}

void SongPosition::sensorMoved(double x, Qt::MouseButtons buttons)
{
    moved(x, buttons, true);
    m_skin.infoOnly(InfoEntry::Position);
}

void SongPosition::sensorReleased(double x, double y)
{
    const double duration = m_player.duration();
    if (y >= 0 && y <= SensorHeight) {
        if (x > 15 && x < MiniWidth - 15)
            seekTo(x * duration / (MiniWidth - 30));
        else if (x >= 15)
            seekTo(duration);
        else
            seekTo(0);
    } else {
        ProgressoFalso = true;
    }
    m_model.AggiornaProgresso = true;
    tick();
}

void SongPosition::knobPressed(double x)
{
    PosX = NumberText::rounded(x);
    m_model.AggiornaProgresso = false;
}

void SongPosition::knobMoved(double x, Qt::MouseButtons buttons)
{
    if (!(buttons & Qt::LeftButton))
        return;
    CurX = NumberText::rounded(x);
    knobLeftAtMove = m_model.progress().knobLeft;
    m_model.setTimer(Timer::Timer4, true);
}

// The grabbed point of the knob follows the pointer, the knob stopping at the bar's ends.
void SongPosition::timer4Tick()
{
    if (m_model.Fermo || CurX == PosX)
        return;
    const double left = m_model.progress().knobLeft;
    const double w = KnobWidth;
    const double b = BarLeft;
    const double width = BarWidth;
    // Where the pointer is, in the strip, as the last move reported it.
    const double pointer = knobLeftAtMove + CurX;
    if (CurX < PosX) {
        if (b - w / 2 >= left) {
            m_model.setKnobLeft(b - w / 2);
        } else if (left + PosX - b > -CurX) {
            m_model.setKnobLeft(knobLeftAtMove + CurX - PosX);
            setMiniFromValue();
            ProgressoDaCursore();
        } else {
            m_model.setKnobLeft(b + 30 - w / 2);
            m_model.setMiniWidth(0);
            ProgressoDaCursore();
        }
    } else {
        if (b + width - w / 2 <= left) {
            m_model.setKnobLeft(b + width - w / 2);
        } else if (b + width <= left + CurX) {
            m_model.setKnobLeft(b + width - 30 - w / 2);
            m_model.setMiniWidth(MiniWidth - 30);
            ProgressoDaCursore();
        } else {
            m_model.setKnobLeft(knobLeftAtMove + CurX - PosX);
            setMiniFromValue();
            ProgressoDaCursore();
        }
    }
    // The knob moved under a resting pointer: read the pointer again in the knob's
    // coordinates, as a fresh pointer move would report it.
    knobLeftAtMove = m_model.progress().knobLeft;
    CurX = NumberText::rounded(pointer - knobLeftAtMove);
}

void SongPosition::knobReleased()
{
    m_model.setTimer(Timer::Timer4, false);
    const double duration = m_player.duration();
    const double position = m_model.progress().value * duration / 100;
    seekTo(position);
    if (duration > 0)
        m_model.setProgressValue(position / duration * 100);
    m_model.AggiornaProgresso = true;
}
