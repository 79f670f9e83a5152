#include "player/logic/sound/volumeswap.h"

#include "player/logic/panel/playerlayout.h"
#include "player/logic/playermodel.h"
#include "player/logic/skin/controlnames.h"
#include "player/logic/skin/skinbuttons.h"

#include <cmath>

using namespace PlayerLayout;

namespace {

constexpr double ParkedRight = SlidersWidth + SliderParkGap;
constexpr double ParkedLeft = -SlidersWidth - SliderParkGap;
constexpr double CaptionStep = 20;

} // namespace

VolumeSwap::VolumeSwap(PlayerModel &model, SkinButtons &skin) : m_model(model), m_skin(skin) {}

void VolumeSwap::open()
{
    Timer8Tag = Shown::Computer;
    m_sinking = false;
    VolumeDisplay &v = m_model.volumeForUpdate();
    v.computerLeft = 0;
    v.playerLeft = ParkedRight;
    v.labelTop = VolumeLabelShownTop;
    m_model.volumeUpdated();
    m_model.setText(Text::LblVolume, ControlNames::computerVolume());
}

void VolumeSwap::swap(bool withCaption)
{
    // A caption already sinking after an earlier swap rises again for the new one, so it ends
    // naming the slider that is shown. While the sliders still move the request is the same
    // swap again.
    if (withCaption && m_sinking && !m_model.timerOn(Timer::Timer8))
        m_sinking = false;
    m_model.setTimer(Timer::Timer8, true);
    if (withCaption)
        m_model.setTimer(Timer::Timer9, true);
}

int VolumeSwap::step(double distance)
{
    const double d = 12 * std::fabs(distance) / SlidersWidth;
    return int(std::nearbyint(20 + 2 * d * (12 + d)));
}

void VolumeSwap::timer8Tick()
{
    VolumeDisplay &v = m_model.volumeForUpdate();
    if (Timer8Tag == Shown::Computer) {
        if (v.playerLeft > 0) {
            const int s = step(v.playerLeft);
            v.playerLeft -= s;
            v.computerLeft -= s;
        } else {
            v.playerLeft = 0;
            v.computerLeft = ParkedLeft;
            Timer8Tag = Shown::Player;
            m_model.setTimer(Timer::Timer8, false);
        }
    } else {
        if (v.computerLeft < 0) {
            const int s = step(v.computerLeft);
            v.playerLeft += s;
            v.computerLeft += s;
        } else {
            v.computerLeft = 0;
            v.playerLeft = ParkedRight;
            Timer8Tag = Shown::Computer;
            m_model.setTimer(Timer::Timer8, false);
        }
    }
    m_model.volumeUpdated();
}

// The caption names the slider coming in: it changes at the top, while the sliders still move.
void VolumeSwap::timer9Tick()
{
    VolumeDisplay &v = m_model.volumeForUpdate();
    if (!m_sinking) {
        v.labelTop -= CaptionStep;
        if (v.labelTop <= VolumeLabelHiddenTop) {
            v.labelTop = VolumeLabelHiddenTop;
            m_model.setText(Text::LblVolume, Timer8Tag == Shown::Computer
                                                 ? ControlNames::playerVolume()
                                                 : ControlNames::computerVolume());
            m_sinking = true;
        }
    } else {
        v.labelTop += CaptionStep;
        if (v.labelTop >= VolumeLabelShownTop) {
            v.labelTop = VolumeLabelShownTop;
            m_sinking = false;
            m_model.setTimer(Timer::Timer9, false);
        }
    }
    m_model.volumeUpdated();
}

void VolumeSwap::captionHovered()
{
    m_skin.infoOnly(
        Timer8Tag == Shown::Computer ? InfoEntry::ComputerVolume : InfoEntry::PlayerVolume, 1);
}
