#pragma once

class QWidget;

// Where a window opens: centred over the window it belongs to (or the screen without one), and
// moved in as far as needed so that the whole of it, frame included, lies within the screen's
// free area. Called before the window is first shown; the frame's size is taken to be the
// parent's, which the window manager has drawn already.
void centreOver(QWidget *window, const QWidget *parent);
