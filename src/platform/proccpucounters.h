#pragma once

#include "platform/cpucounters.h"

#include <QString>

#include <utility>

// CPU counters from the kernel's /proc/stat.
//
// The "cpu" line holds the clock ticks of all processors added together, and a "cpuN" line
// follows for each processor. Idle time is idle + iowait. Because the ticks of all fields
// together run processorCount times as fast as the wall clock, the unit of a sample is
// 1/processorCount of a tick: systemTime is the sum of the fields and idleTime is the idle
// ticks times processorCount, both exact integers.
class ProcCpuCounters final : public CpuCounterSource {
public:
    explicit ProcCpuCounters(QString statPath = QStringLiteral("/proc/stat"))
        : m_statPath(std::move(statPath))
    {
    }

    std::optional<CpuCounters> sample() override;

private:
    QString m_statPath;
};
