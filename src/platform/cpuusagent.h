#pragma once

#include "platform/cpucounters.h"

#include <QString>

// The playback window's CPU meter: the machine's total CPU usage in percent between two
// samples of the idle and wall-clock counters. Figures outside 0..100 are passed on as they
// come (a first figure measured from zero counters, an idle counter that went backwards).
class clsCPUUsageNT {
public:
    // Query()'s result when the counters could not be read.
    static constexpr qint32 Unavailable = -1;

    explicit clsCPUUsageNT(CpuCounterSource &source) : m_source(source) {}

    // Takes the first sample. When it cannot be read the counters stay at zero, silently.
    void Initialize();
    // The usage since the previous successful sample, or -1; only a successful sample
    // replaces the previous one.
    qint32 Query();
    void Terminate() {}

private:
    CpuCounterSource &m_source;
    qint64 lastIdleTime = 0;
    qint64 lastSystemTime = 0;
};

// The meter's text: "???" for -1, otherwise the number followed by "%", as in "7%".
QString cpuUsageText(qint32 usage);
