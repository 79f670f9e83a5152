// The floor for the playback figures: a bare QMediaPlayer with an audio output and nothing else.
// Usage: bench_bare_player FILE [cold|warm|SECONDS]
//   cold     play at once after setting the source, print "playing MS", end
//   warm     set the source, play half a second later (as the playback window's automatic
//            start does), print "playing MS", end
//   SECONDS  play, print "playing MS", keep playing for that many seconds, end
// MS is the time from the play request to Qt reporting the media running (playing state with
// the media buffered), the moment our adapter reports state 3.
#include <QAudioOutput>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fputs("usage: bench_bare_player FILE cold|warm|SECONDS\n", stderr);
        return 2;
    }
    const QString &mode = args.at(2);
    QMediaPlayer player;
    QAudioOutput output;
    player.setAudioOutput(&output);
    QElapsedTimer clock;
    bool reported = false;

    auto check = [&] {
        const auto status = player.mediaStatus();
        if (reported || player.playbackState() != QMediaPlayer::PlayingState ||
            (status != QMediaPlayer::BufferedMedia && status != QMediaPlayer::BufferingMedia)) {
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
    QObject::connect(&player, &QMediaPlayer::playbackStateChanged, &app, check);
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &app, check);
    QObject::connect(&player, &QMediaPlayer::errorOccurred, &app,
                     [&](QMediaPlayer::Error, const QString &message) {
                         std::fprintf(stderr, "error: %s\n", qPrintable(message));
                         QCoreApplication::exit(1);
                     });

    auto start = [&] {
        clock.start();
        player.play();
        check();
    };
    player.setSource(QUrl::fromLocalFile(QFileInfo(args.at(1)).absoluteFilePath()));
    if (mode == u"warm") {
        QTimer::singleShot(500, &app, start);
    } else {
        start();
    }
    return QCoreApplication::exec();
}
