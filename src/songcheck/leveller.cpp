#include "songcheck/leveller.h"

#include "core/settings.h"
#include "songcheck/songverdict.h"

#include <QDateTime>
#include <QFileInfo>

#include <cmath>

Leveller::Leveller(const Settings &settings, AudioProbe &probe, AnalysisCache &cache,
                   QObject *parent)
    : QObject(parent), m_settings(settings), m_cache(cache), m_queue(probe, cache)
{
    // A failed save is tried again with the next analysis; the cache only saves work.
    connect(&m_queue, &ProbeQueue::idle, this, [this] { (void)m_cache.save(); });
}

double Leveller::factorFor(double gainDb)
{
    return std::pow(10.0, (gainDb - SongVerdict::MaxBoost) / 20.0);
}

bool Leveller::isOn(const Settings &settings)
{
    return settings.number(QStringLiteral("uniformavolume")) == 1;
}

double Leveller::outputGain(const QString &path, AudioRange range)
{
    if (!isOn(m_settings))
        return 1.0;
    const QFileInfo info(path);
    if (!info.isFile())
        return factorFor(0.0);
    const auto cached = m_cache.find(info.absoluteFilePath(), info.size(),
                                     info.lastModified().toMSecsSinceEpoch(), range);
    if (!cached) {
        m_queue.enqueue(0, path, range);
        return factorFor(0.0);
    }
    // A start point at or past the song's end makes no snippet: the whole song is levelled.
    if (!range.whole() && cached->audio.seconds * 1000 <= double(range.fromMs))
        return outputGain(path);
    return factorFor(SongVerdict::levellingGain(cached->audio));
}
