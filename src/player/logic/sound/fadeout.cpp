#include "player/logic/sound/fadeout.h"

#include "core/settings.h"
#include "player/logic/playermodel.h"
#include "player/logic/sound/playervolume.h"

#include <QtGlobal>

#include <cmath>

FadeOut::FadeOut(PlayerModel &model, PlayerVolume &volume, const Settings &settings)
    : m_model(model), m_volume(volume), m_settings(settings)
{
}

bool FadeOut::fades(int sfumadx, Qt::MouseButton button)
{
    int number = 0;
    if (button == Qt::LeftButton)
        number = 1;
    else if (button == Qt::RightButton)
        number = 2;
    else if (button == Qt::MiddleButton)
        number = 4;
    return sfumadx == 3 || (sfumadx < 2 && number == sfumadx + 1);
}

int FadeOut::speed(int abbvolume)
{
    return qMin(abbvolume, 15);
}

bool FadeOut::begin(Qt::MouseButton button)
{
    if (fades(m_settings.number(QStringLiteral("sfumadx")), button)) {
        start(m_volume.value());
        m_model.setTimer(Timer::TmrStop, true);
        return true;
    }
    m_model.setTimer(Timer::TmrStop, false);
    return false;
}

void FadeOut::beginAlways()
{
    start(m_volume.value());
    m_model.setTimer(Timer::TmrStop, true);
}

bool FadeOut::tick(int intervalMs)
{
    const std::optional<int> lowered =
        step(m_settings.number(QStringLiteral("abbvolume")), intervalMs);
    m_volume.setValue(lowered.value_or(0));
    if (!lowered)
        m_model.setTimer(Timer::TmrStop, false);
    // The level before the fade stays the one the next window starts with.
    m_volume.PosizionaVolume(false, true);
    return !lowered;
}

void FadeOut::start(int volume)
{
    VolumeSfumato = float(volume);
    VolumeInizioSfumatura = volume;
}

std::optional<int> FadeOut::step(int abbvolume, int intervalMs)
{
    if (VolumeSfumato <= 0) {
        VolumeSfumato = 0;
        return std::nullopt;
    }
    // The step per second divided by the ticks per second, so a timer set to another
    // interval still fades in the same time.
    const double perSecond = double(VolumeInizioSfumatura) / (16.0 - speed(abbvolume));
    const double ticksPerSecond = 1000.0 / qMax(1, intervalMs);
    VolumeSfumato = float(double(VolumeSfumato) - perSecond / ticksPerSecond);
    // nearbyint rounds halves to even in the default rounding mode.
    return qBound(0, int(std::nearbyint(VolumeSfumato)), 100);
}
