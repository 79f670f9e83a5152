#pragma once

#include <QString>

// What the presenter is told, at the start and at a click, when no song can be played.
[[nodiscard]] QString missingMediaStackWarning();

// Qt Multimedia has a back end it can load. Qt 6.4 ends the whole program at the first player
// when it finds none, so no player may be made without asking this first. Looked up once.
[[nodiscard]] bool mediaBackendFound();

// Loads Qt's media back end (GStreamer on Linux) and its plugins, which the first player of a
// run would otherwise load at the presenter's first click. False when nothing can be played.
[[nodiscard]] bool warmMediaStack();
