#include "platform/cpuusagent.h"

#include <cmath>
#include <limits>

namespace {

// The meter computes in a fixed-point type with four decimals: a 64-bit integer counting
// ten-thousandths. Converting a double rounds half to even, as that type does.
constexpr qint64 FixedScale = 10000;

std::optional<qint64> toFixed(double value)
{
    const double scaled = std::nearbyint(value * FixedScale);
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18) {
        return std::nullopt;
    }
    return static_cast<qint64>(scaled);
}

double fromFixed(qint64 fixed)
{
    return static_cast<double>(fixed) / FixedScale;
}

qint64 floorOfFixed(qint64 fixed)
{
    const qint64 whole = fixed / FixedScale;
    return (fixed % FixedScale < 0) ? whole - 1 : whole;
}

} // namespace

void clsCPUUsageNT::Initialize()
{
    const std::optional<CpuCounters> now = m_source.sample();
    if (!now) {
        return;
    }
    lastIdleTime = now->idleTime;
    lastSystemTime = now->systemTime;
}

qint32 clsCPUUsageNT::Query()
{
    const std::optional<CpuCounters> now = m_source.sample();
    if (!now || now->processorCount < 1) {
        return Unavailable;
    }

    // A raw counter read as the fixed-point type is the counter divided by 10 000; both
    // differences carry that scale, so their ratio does not.
    qint64 idle = now->idleTime - lastIdleTime;
    const qint64 elapsed = now->systemTime - lastSystemTime;
    if (elapsed != 0) {
        const std::optional<qint64> ratio =
            toFixed(static_cast<double>(idle) / static_cast<double>(elapsed));
        if (!ratio) {
            return Unavailable;
        }
        idle = *ratio;
    }
    // With no clock advance the raw idle difference itself goes into the formula.
    const std::optional<qint64> usage =
        toFixed(100.0 - (fromFixed(idle) * 100.0) / now->processorCount + 0.5);
    if (!usage) {
        return Unavailable;
    }
    const qint64 percent = floorOfFixed(*usage);
    if (percent < std::numeric_limits<qint32>::min() ||
        percent > std::numeric_limits<qint32>::max()) {
        return Unavailable;
    }

    lastIdleTime = now->idleTime;
    lastSystemTime = now->systemTime;
    return static_cast<qint32>(percent);
}

QString cpuUsageText(qint32 usage)
{
    if (usage == clsCPUUsageNT::Unavailable) {
        return QStringLiteral("???");
    }
    return QString::number(usage) + u'%';
}
