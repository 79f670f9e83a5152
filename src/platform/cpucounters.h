#pragma once

#include <QtGlobal>

#include <optional>

// One reading of the machine's CPU clocks.
struct CpuCounters {
    // Idle time accumulated by all processors together.
    qint64 idleTime = 0;
    // Wall-clock time, in the same unit as idleTime.
    qint64 systemTime = 0;
    int processorCount = 0;
};

// Where the CPU meter gets its counters.
//
// Rules every implementation keeps:
// - sample() returns the counters as they are now, or nothing when they cannot be read.
// - idleTime is summed over all processors and systemTime is wall-clock time in the same unit,
//   so on an idle machine idleTime advances processorCount times as fast as systemTime. The
//   unit is the source's own: only differences between samples and their ratio mean anything.
// - processorCount is at least 1 in every sample returned.
// - sample() never blocks for long and never prints.
class CpuCounterSource {
public:
    virtual ~CpuCounterSource() = default;
    virtual std::optional<CpuCounters> sample() = 0;
};
