#pragma once

#include "songcheck/analysiscache.h"

#include <QObject>

#include <atomic>
#include <deque>
#include <mutex>
#include <thread>

// Songs analysed one after the other on a thread of their own, so the windows stay responsive.
// A song whose file is unchanged since its last analysis is taken from the cache and not
// decoded again; every new complete analysis goes into the cache (the caller saves it).
// Results arrive as analysed() on the thread that made the queue, in the order queued.
class ProbeQueue : public QObject {
    Q_OBJECT

public:
    ProbeQueue(AudioProbe &probe, AnalysisCache &cache, QObject *parent = nullptr);
    ~ProbeQueue() override;

    // id is the caller's, handed back with the result. The levels are those of range.
    void enqueue(int id, const QString &path, AudioRange range = {});
    // Drops what is queued and stops the song being decoded; returns once the thread is gone.
    // No analysed() arrives for dropped songs afterwards.
    void stop();
    bool isBusy() const;

signals:
    void analysed(int id, const SongAnalysis &analysis);
    // Everything queued is done.
    void idle();

private:
    struct Job {
        int id = 0;
        QString path;
        AudioRange range;
    };
    void run();
    SongAnalysis analyse(const QString &path, AudioRange range);

    AudioProbe &m_probe;
    AnalysisCache &m_cache;
    mutable std::mutex m_mutex;
    std::deque<Job> m_jobs;
    bool m_running = false;
    std::atomic_bool m_stop{false};
    // Bumped by stop(), so results posted before it are dropped on arrival.
    std::atomic<unsigned> m_round{0};
    std::thread m_thread;
};
