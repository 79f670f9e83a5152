#pragma once

#include <QString>

// Loads Qt's media back end (GStreamer on Linux) and its plugins, which the first player of a
// run would otherwise load at the presenter's first click. Empty when playback is possible;
// else what is missing, in words for the presenter.
[[nodiscard]] QString warmMediaStack();
