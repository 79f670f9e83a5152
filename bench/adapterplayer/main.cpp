// The playback figures through our media player adapter, as the playback window drives it.
// Usage: bench_adapter_player FILE [cold|warm|SECONDS], as bench_bare_player; MS is the time
// from play() to playState() reading 3 (playing).
#include "platform/qtmediaplayer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fputs("usage: bench_adapter_player FILE cold|warm|SECONDS\n", stderr);
        return 2;
    }
    const QString &mode = args.at(2);
    QtMediaPlayer player;
    QElapsedTimer clock;
    bool reported = false;

    auto check = [&] {
        if (reported || player.playState() != MediaPlayer::PlayState::Playing) {
            return;
        }
        reported = true;
        std::printf("playing %.1f\n", static_cast<double>(clock.nsecsElapsed()) / 1e6);
        std::fflush(stdout);
        if (mode == u"cold" || mode == u"warm") {
            QTimer::singleShot(0, &app, &QCoreApplication::quit);
        } else {
            QTimer::singleShot(static_cast<int>(mode.toDouble() * 1000), &app,
                               &QCoreApplication::quit);
        }
    };
    QObject::connect(&player, &MediaPlayer::playStateChanged, &app, check);
    QObject::connect(&player, &MediaPlayer::errorOccurred, &app, [](const QString &message) {
        std::fprintf(stderr, "error: %s\n", qPrintable(message));
        QCoreApplication::exit(1);
    });

    auto start = [&] {
        clock.start();
        player.play();
        check();
    };
    player.setAutoStart(false);
    player.setURL(args.at(1));
    if (mode == u"warm") {
        QTimer::singleShot(500, &app, start);
    } else {
        start();
    }
    return QApplication::exec();
}
