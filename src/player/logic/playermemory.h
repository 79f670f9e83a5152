#pragma once

// What the playback window leaves for its next opening. The application owns the one instance
// for the whole run; every window starts from it and writes back to it.
struct PlayerMemory {
    // Player volume 0..100 to start the next song with; 50 from the start of the run.
    int varVolume = 50;
    // The player is muted; kept from song to song.
    bool VolumeMuto = false;
};
