// The playback figures through our media player, as the playback window drives it.
// Usage: bench_adapter_player FILE MODE [ARG], with the modes of bench_bare_player but idle
// (first WAIT counts the wait from the end of the load); MS is the time from play() to
// playState() reading 3 (playing).
#include "platform/gstmediaplayer.h"

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <functional>

namespace {

qint64 monotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Calls then once the song is loaded (its length known) and waitMs more have passed.
void waitPrerolled(const MediaPlayer &player, int waitMs, const std::function<void()> &then)
{
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, qApp, [&player, poll, waitMs, then] {
        if (player.duration() <= 0.0)
            return;
        poll->deleteLater();
        QTimer::singleShot(waitMs, qApp, then);
    });
    poll->start(5);
}

void print(const char *what, long long value)
{
    std::printf("%s %lld\n", what, value);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fputs("usage: bench_adapter_player FILE MODE [ARG]\n", stderr);
        return 2;
    }
    const QString &mode = args.at(2);
    GstMediaPlayer player;
    qint64 askedNs = 0;
    bool reported = false;

    auto check = [&] {
        if (reported || player.playState() != MediaPlayer::PlayState::Playing)
            return;
        reported = true;
        std::printf("playing %.1f\n", double(monotonicNs() - askedNs) / 1e6);
        std::fflush(stdout);
        if (mode == u"cold" || mode == u"warm") {
            QTimer::singleShot(0, &app, &QCoreApplication::quit);
        } else if (mode == u"rate") {
            QTimer::singleShot(2500, &app, [&] {
                print("rate", monotonicNs());
                player.setRate(1.5);
                QTimer::singleShot(2000, &app, &QCoreApplication::quit);
            });
        } else if (mode == u"first") {
            QTimer::singleShot(2000, &app, &QCoreApplication::quit);
        } else {
            QTimer::singleShot(int(mode.toDouble() * 1000), &app, &QCoreApplication::quit);
        }
    };
    QObject::connect(&player, &MediaPlayer::playStateChanged, &app, check);
    QObject::connect(&player, &MediaPlayer::errorOccurred, &app, [](const QString &message) {
        std::fprintf(stderr, "error: %s\n", qPrintable(message));
        QCoreApplication::exit(1);
    });

    auto start = [&] {
        askedNs = monotonicNs();
        if (mode == u"first")
            print("play", askedNs);
        player.play();
        check();
    };
    player.setAutoStart(false);
    player.setURL(args.at(1));
    if (mode == u"warm")
        QTimer::singleShot(500, &app, start);
    else if (mode == u"first")
        waitPrerolled(player, int(args.value(3).toDouble() * 1000), start);
    else
        start();
    return QApplication::exec();
}
