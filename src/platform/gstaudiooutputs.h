#pragma once

#include <QList>
#include <QString>

// One output of the sound server: its name, which GstMediaPlayer::setOutputDevice() takes,
// and what the system calls it for people.
struct AudioOutput {
    QString name;
    QString description;
};

// The sound server's outputs as they are now. Asks GStreamer's device monitor for audio sinks
// and stops it again, so nothing watches the devices between calls; takes a moment, so it is
// called when the list is wanted, never at the start. Empty when GStreamer cannot tell.
[[nodiscard]] QList<AudioOutput> audioOutputs();
