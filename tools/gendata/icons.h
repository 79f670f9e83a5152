#pragma once

#include <QImage>

// The program's icon (window and title bar) and the board's mouse pointer, whose hot spot is
// the tip of the arrow at the top-left pixel.
namespace Icons {

QImage programIcon(int size = 64);
QImage pointer();

} // namespace Icons
