#pragma once

#include "platform/cpucounters.h"

#include <QList>

#include <utility>

// CPU counters for tests: hands out scripted samples in order; an empty entry is a failed read,
// and so is every read after the script has run out.
class FakeCpuCounters final : public CpuCounterSource {
public:
    FakeCpuCounters() = default;
    explicit FakeCpuCounters(QList<std::optional<CpuCounters>> script) : script(std::move(script))
    {
    }

    QList<std::optional<CpuCounters>> script;
    int sampleCalls = 0;

    std::optional<CpuCounters> sample() override
    {
        ++sampleCalls;
        if (script.isEmpty())
            return std::nullopt;
        return script.takeFirst();
    }
};
