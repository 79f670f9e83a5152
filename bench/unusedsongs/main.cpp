// Time of the unused-songs scans on a Musiche folder of 10,000 files, the cleanup's and the songs
// menu's: wall time of the first run, median and best wall time of the following ones, and their
// median processor time. The machine is often shared, so wall times can be far above the work
// done; the limit of 50 ms applies to the processor time, and the wall figures are printed
// beside it.
#include "core/appstate.h"
#include "maintenance/unusedsongs.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <time.h>

namespace {

constexpr int FileCount = 10000;
constexpr int Runs = 15;
constexpr double LimitMs = 50.0;

double processorMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool fillSongs(AppState &state)
{
    if (!QDir().mkpath(state.songsFolder()))
        return false;
    for (int i = 0; i < FileCount; ++i) {
        const QString name =
            QStringLiteral("Canzone numero %1 - artista.mp3").arg(i, 5, 10, QLatin1Char('0'));
        QFile file(state.songsFolder() + name);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        if (i < SlotCount) {
            state.PercorsiSalvati[i] = {name, state.songsFolder()};
            state.PercorsiModifica[i] = {name, state.songsFolder()};
        }
    }
    return true;
}

// Prints the figures of one scan; false when the median passes the limit.
bool measure(const std::function<qsizetype()> &scan, const char *label)
{
    std::vector<double> wall;
    std::vector<double> processor;
    qsizetype found = 0;
    for (int run = 0; run <= Runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        const double start = processorMs();
        found = scan();
        processor.push_back(processorMs() - start);
        wall.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    const double first = wall.front();
    wall.erase(wall.begin());
    processor.erase(processor.begin());
    const double best = *std::min_element(wall.begin(), wall.end());
    const double work = median(processor);
    std::printf("%s: %lld unused of %d files; wall first %.1f ms, median %.1f ms, best "
                "%.1f ms; processor median %.1f ms (limit %.0f ms)\n",
                label, static_cast<long long>(found), FileCount, first, median(wall), best, work,
                LimitMs);
    return work <= LimitMs && found == FileCount - SlotCount;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    AppState state;
    state.Path = dir.path();
    if (!dir.isValid() || !fillSongs(state)) {
        std::fputs("cannot make the songs folder\n", stderr);
        return 2;
    }
    const bool cleanup =
        measure([&] { return UnusedSongs::cleanupFiles(state).size(); }, "cleanup");
    const bool menu = measure(
        [&] { return UnusedSongs::CercaFileInutili(state, UnusedSongs::Table::Working).size(); },
        "songs menu");
    return cleanup && menu ? 0 : 1;
}
