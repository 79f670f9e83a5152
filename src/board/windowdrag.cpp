#include "board/windowdrag.h"

#include <cmath>

void WindowDrag::setOrigin(double windowLeft, double windowTop)
{
    originLeft = windowLeft;
    originTop = windowTop;
}

void WindowDrag::press(double offsetX, double offsetY, double windowLeft, double windowTop)
{
    PosY = std::lround(originTop + offsetY - windowTop);
    PosX = std::lround(originLeft + offsetX - windowLeft);
}

void WindowDrag::move(double offsetX, double offsetY, double windowLeft, double windowTop)
{
    CurY = std::lround(originTop + offsetY);
    CurX = std::lround(originLeft + offsetX);
    setOrigin(windowLeft, windowTop);
}
