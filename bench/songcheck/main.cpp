// Prints how long the pre-show check takes for 25 generated three-minute songs: first with no
// analysis kept (every song decoded), then again from Analisi.ini.
#include "songcheck/probequeue.h"
#include "tests/fakes/tonefiles.h"
#include "tests/songcheck/countingprobe.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int Songs = 25;
constexpr double SongSeconds = 180.0;

double checkAll(CountingProbe &probe, AnalysisCache &cache, const QStringList &paths, int &decoded)
{
    const int before = probe.decodes;
    QElapsedTimer clock;
    clock.start();
    ProbeQueue queue(probe, cache);
    QEventLoop loop;
    int done = 0;
    QObject::connect(&queue, &ProbeQueue::analysed, &loop, [&](int, const SongAnalysis &) {
        if (++done == paths.size())
            loop.quit();
    });
    for (int i = 0; i < paths.size(); ++i)
        queue.enqueue(i, paths[i]);
    loop.exec();
    decoded = probe.decodes - before;
    return double(clock.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QStringList paths;
    std::printf("writing %d songs of %.0f s (16-bit stereo WAV, 44.1 kHz)...\n", Songs,
                SongSeconds);
    for (int i = 0; i < Songs; ++i) {
        paths << dir.filePath(QStringLiteral("song%1.wav").arg(i));
        const ToneFiles::Tone tone{SongSeconds, -30.0 + i, 2, 44100, 220.0 + 40.0 * i};
        if (!ToneFiles::write(paths.last(), ToneFiles::wav(tone)))
            return 1;
    }
    CountingProbe probe;
    const QString cacheFile = dir.filePath(QStringLiteral("Analisi.ini"));
    int decoded = 0;
    AnalysisCache cold(cacheFile);
    const double coldSeconds = checkAll(probe, cold, paths, decoded);
    if (!cold.save().ok)
        return 1;
    const double playing = Songs * SongSeconds;
    std::printf("cold:   %.2f s, %d decoded (%.1f%% of %.0f s playing time; target < 5%%)\n",
                coldSeconds, decoded, 100.0 * coldSeconds / playing, playing);

    QElapsedTimer clock;
    clock.start();
    AnalysisCache cached(cacheFile);
    cached.load();
    const double loadSeconds = double(clock.nsecsElapsed()) / 1e9;
    const double cachedSeconds = checkAll(probe, cached, paths, decoded) + loadSeconds;
    std::printf("cached: %.1f ms for %d songs, %d decoded (target < 50 ms)\n",
                cachedSeconds * 1000.0, Songs, decoded);
    return 0;
}
