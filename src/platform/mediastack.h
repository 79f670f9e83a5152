#pragma once

#include <QString>

// What the presenter is told, at the start and at a click, when no song can be played.
[[nodiscard]] QString missingMediaStackWarning();

// Starts GStreamer, which reads its registry of plugins; the first call of a run does it, the
// others return at once. False when GStreamer cannot start.
bool initMediaStack();

// GStreamer has what playback needs: the playbin and the sound server's sink. Looked up once.
[[nodiscard]] bool mediaBackendFound();

// Loads GStreamer and the plugins a song needs, which the first player of a run would otherwise
// load at the presenter's first click. False when nothing can be played.
[[nodiscard]] bool warmMediaStack();
