#pragma once

// Dragging the board by its title bar. A point on the bar reads as the bar's origin (the
// window's screen position when it was last set) plus the pointer's offset from the bar's
// corner, all in twips. A press takes the grab offset, a movement notes the pointer and takes
// the window's position as the new origin, and the next Timer3 tick moves the window.
class WindowDrag {
public:
    long PosX = 0;
    long PosY = 0;
    long CurX = 0;
    long CurY = 0;
    double originLeft = 0;
    double originTop = 0;

    void setOrigin(double windowLeft, double windowTop);
    // offsetX, offsetY: the pointer's offset from the bar's top-left corner.
    void press(double offsetX, double offsetY, double windowLeft, double windowTop);
    void move(double offsetX, double offsetY, double windowLeft, double windowTop);
    double targetLeft() const { return double(CurX - PosX); }
    double targetTop() const { return double(CurY - PosY); }
};
