#pragma once

#include "platform/mixerlauncher.h"

// A mixer launcher for tests: counts the starts it was asked for.
class FakeMixerLauncher final : public MixerLauncher {
public:
    // Whether a mixer application is "installed".
    bool installed = true;
    int startCalls = 0;

    bool start() override
    {
        ++startCalls;
        return installed;
    }
};
