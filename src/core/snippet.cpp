#include "core/snippet.h"

namespace {
QString minutesDotSeconds(qint64 ms)
{
    const qint64 whole = qMax<qint64>(0, ms) / 1000;
    return QStringLiteral("%1.%2")
        .arg(whole / 60, 2, 10, QLatin1Char('0'))
        .arg(whole % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

Snippet Snippet::within(qint64 durationMs) const
{
    Snippet held = *this;
    if (durationMs > 0 && held.start >= durationMs)
        held.start = 0;
    if (durationMs > 0 && held.end >= durationMs)
        held.end = 0;
    if (held.end != 0 && held.end <= held.start)
        held.end = 0;
    return held;
}

QString Snippet::text() const
{
    if (!isSet())
        return {};
    return minutesDotSeconds(start) + QStringLiteral(" - ") +
           (end > 0 ? minutesDotSeconds(end) : QStringLiteral("fine"));
}
