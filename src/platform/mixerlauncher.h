#pragma once

// Starts the system's volume mixer application (the playback window's mixer button).
//
// Rules every implementation keeps:
// - start() returns at once; the application runs on its own and outlives the caller.
// - When no mixer application is installed, start() returns false and does nothing else.
// - It never shows a message and never prints.
class MixerLauncher {
public:
    virtual ~MixerLauncher() = default;
    [[nodiscard]] virtual bool start() = 0;
};
