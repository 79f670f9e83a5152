#include "player/logic/sound/fadeout.h"

#include <QtGlobal>

#include <cmath>

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

void FadeOut::start(int volume)
{
    VolumeSfumato = float(volume);
    VolumeInizioSfumatura = volume;
}

std::optional<int> FadeOut::tick(int abbvolume, int intervalMs)
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
