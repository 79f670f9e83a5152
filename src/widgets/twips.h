#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cmath>

// Designed sizes are in twips; widgets work in logical pixels. 15 twips are one logical pixel
// whatever the screen's density.
namespace Twips {

inline constexpr double PerPixel = 15.0;

inline int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / PerPixel));
}
inline double fromPixels(double pixels)
{
    return pixels * PerPixel;
}

inline QRect toPixels(double left, double top, double width, double height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

} // namespace Twips
