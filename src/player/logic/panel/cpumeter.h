#pragma once

#include "platform/cpuusagent.h"

class CpuCounterSource;
class PlayerModel;

// The CPU meter lblCPUUsage: the machine's CPU usage, refreshed by tmrRefresh once a second.
// A sample that cannot be read stops the meter at "???" for the rest of the window's life.
class CpuMeter {
public:
    CpuMeter(PlayerModel &model, CpuCounterSource &source);

    // The first sample, the timer on and the field filled at once.
    void start();
    // tmrRefresh.
    void refresh();
    void stop();

private:
    PlayerModel &m_model;
    clsCPUUsageNT objCPU;
};
