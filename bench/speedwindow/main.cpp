// The playback window on our media player, playing FILE as the board opens it (automatic
// start); 2.5 s after it plays, a click on the speed slider's track right of its knob moves it
// one notch up, printed as "rate NS" (monotonic clock, nanoseconds); it ends 2 s later.
// Usage: bench_speed_window FILE
#include "core/appstate.h"
#include "platform/gstmediaplayer.h"
#include "player/logic/playermemory.h"
#include "player/riproduzione.h"
#include "tests/player/playerbench.h"

#include <QApplication>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: bench_speed_window FILE\n", stderr);
        return 2;
    }
    AppState state;
    state.Path = QCoreApplication::applicationDirPath();
    state.settings.setValue(QStringLiteral("autoplay"), QStringLiteral("1"));
    PlayerMemory memory;
    ScriptedQuestions questions;
    SoundFakes sound;
    GstMediaPlayer player;
    Riproduzione window(state, memory, questions, player, sound.ports(),
                        QString::fromLocal8Bit(argv[1]), QStringLiteral("Spot 10"));
    window.load();
    window.show();
    auto *speed = window.findChild<QSlider *>(QStringLiteral("Velocita"));
    bool changed = false;
    QObject::connect(&player, &MediaPlayer::playStateChanged, &app, [&] {
        if (changed || player.playState() != MediaPlayer::PlayState::Playing)
            return;
        changed = true;
        QTimer::singleShot(2500, &app, [&] {
            const qint64 ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                  std::chrono::steady_clock::now().time_since_epoch())
                                  .count();
            std::printf("rate %lld\n", static_cast<long long>(ns));
            std::fflush(stdout);
            const QPoint track(speed->width() - 3, speed->height() / 2);
            QTest::mouseClick(speed, Qt::LeftButton, {}, track);
            std::printf("notch %d rate %.2f\n", speed->value(), player.rate());
            std::fflush(stdout);
            QTimer::singleShot(2000, &app, &QCoreApplication::quit);
        });
    });
    return QApplication::exec();
}
