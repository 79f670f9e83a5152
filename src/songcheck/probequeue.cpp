#include "songcheck/probequeue.h"

#include <QDateTime>
#include <QFileInfo>

ProbeQueue::ProbeQueue(AudioProbe &probe, AnalysisCache &cache, QObject *parent)
    : QObject(parent), m_probe(probe), m_cache(cache)
{
}

ProbeQueue::~ProbeQueue()
{
    stop();
}

void ProbeQueue::enqueue(int id, const QString &path, AudioRange range)
{
    std::lock_guard lock(m_mutex);
    m_jobs.push_back({id, path, range});
    if (m_running)
        return;
    // A thread that found the queue empty is on its way out.
    if (m_thread.joinable())
        m_thread.join();
    m_running = true;
    m_thread = std::thread([this] { run(); });
}

void ProbeQueue::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_jobs.clear();
        ++m_round;
        m_stop = true;
    }
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard lock(m_mutex);
    m_running = false;
    m_stop = false;
}

bool ProbeQueue::isBusy() const
{
    std::lock_guard lock(m_mutex);
    return m_running;
}

SongAnalysis ProbeQueue::analyse(const QString &path, AudioRange range)
{
    SongAnalysis song;
    song.range = range;
    const QFileInfo info(path);
    song.path = info.absoluteFilePath();
    if (path.isEmpty() || !info.isFile() || !info.isReadable()) {
        song.audio.outcome = AudioAnalysis::Outcome::Missing;
        return song;
    }
    song.size = info.size();
    song.modified = info.lastModified().toMSecsSinceEpoch();
    if (auto cached = m_cache.find(song.path, song.size, song.modified, range))
        return *cached;
    song.audio = m_probe.analyse(path, m_stop, range);
    m_cache.store(song);
    return song;
}

void ProbeQueue::run()
{
    for (;;) {
        Job job;
        unsigned round = 0;
        {
            std::lock_guard lock(m_mutex);
            if (m_jobs.empty() || m_stop) {
                m_running = false;
                break;
            }
            job = m_jobs.front();
            m_jobs.pop_front();
            round = m_round;
        }
        const SongAnalysis song = analyse(job.path, job.range);
        if (song.audio.outcome == AudioAnalysis::Outcome::Stopped)
            return;
        QMetaObject::invokeMethod(
            this,
            [this, round, id = job.id, song] {
                if (round == m_round)
                    emit analysed(id, song);
            },
            Qt::QueuedConnection);
    }
    const unsigned round = m_round;
    QMetaObject::invokeMethod(
        this,
        [this, round] {
            if (round == m_round && !isBusy())
                emit idle();
        },
        Qt::QueuedConnection);
}
